#pragma once
// Numeric ids of the program's resources and commands. Commands keep these
// numbers everywhere: menus, toolbars, accelerators and the command router.

// Menus, accelerator table, toolbars, dialogs and pictures.
constexpr unsigned IDR_MAINFRAME = 128;       // menu, accelerators, main toolbar
constexpr unsigned IDR_ORVIKCTYPE = 129;      // menu of a drawing window, document template
constexpr unsigned IDB_CLIENT_PICTURE = 130;  // picture behind the drawing windows
constexpr unsigned IDR_LAYER_MENU = 203;      // layer list's context menu
// Context menus of the drawing view: one popup each.
constexpr unsigned IDR_LIST_EDIT_MENU = 202;
constexpr unsigned IDR_PARTS_MENU = 205;
constexpr unsigned IDR_GROUP_REGISTER_MENU = 207;
constexpr unsigned IDR_GROUP_RELEASE_MENU = 209;
constexpr unsigned IDR_NUMERIC_MENU = 211;
constexpr unsigned IDR_SCALE_MENU = 212;
constexpr unsigned IDR_STRETCH_MENU = 213;
constexpr unsigned IDR_GRIDBAR = 215;
constexpr unsigned IDR_MSGBAR = 217;
constexpr unsigned IDR_VIEWBAR = 222;
constexpr unsigned IDB_SPLASH = 226;
constexpr unsigned IDR_SIZEBAR = 32893;

constexpr unsigned IDD_ABOUTBOX = 101;
constexpr unsigned IDD_SIZEINFO = 155;
constexpr unsigned IDD_OPTIONBAR = 157;
constexpr unsigned IDD_PLANINFO = 197;
constexpr unsigned IDD_PASSCANCEL = 204;
constexpr unsigned IDD_GRIDBAR = 224;
constexpr unsigned IDD_LAYERLIST = 229;
constexpr unsigned IDD_LAYERPROPERTY = 230;
constexpr unsigned IDD_OPERATEMSG = 234;

// Strings and status-bar panes.
constexpr unsigned IDP_OLE_INIT_FAILED = 100;
constexpr unsigned ID_INDICATOR_X = 102;
constexpr unsigned ID_INDICATOR_Y = 103;
constexpr unsigned ID_SIZEBAR_SLOT = 105;
constexpr unsigned ID_MSGBAR_SLOT = 106;
constexpr unsigned ID_CANCEL_INPUT = 107;
constexpr unsigned ID_UPDATE_LAYERS = 108;

// Commands of the framework, with its numbers.
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_CLOSE = 57602;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_SAVE_AS = 57604;
constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
constexpr unsigned ID_FILE_PRINT = 57607;
constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
constexpr unsigned ID_FILE_SEND_MAIL = 57612;
constexpr unsigned ID_FILE_MRU_FILE1 = 57616;  // ... 57619 for the four recent files
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_WINDOW_NEW = 57648;
constexpr unsigned ID_WINDOW_ARRANGE = 57649;
constexpr unsigned ID_WINDOW_CASCADE = 57650;
constexpr unsigned ID_WINDOW_TILE_HORZ = 57651;
constexpr unsigned ID_WINDOW_FIRST_CHILD = 65280;  // the window menu's drawings, 65280 ... 65288
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_CONTEXT_HELP = 57669;
constexpr unsigned ID_HELP = 57670;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;
constexpr unsigned ID_VIEW_TOOLBAR = 59392;
constexpr unsigned ID_VIEW_STATUS_BAR = 59393;

// Commands of the program.
constexpr unsigned ID_LIST_EDIT = 32771;
constexpr unsigned ID_SCROLL_DOWN = 32772;
constexpr unsigned ID_TOOL_CANCEL = 32773;
constexpr unsigned ID_SCROLL_LEFT = 32774;
constexpr unsigned ID_SCROLL_RIGHT = 32775;
constexpr unsigned ID_LAYER_NORMAL = 32776;
constexpr unsigned ID_SCROLL_UP = 32777;
constexpr unsigned ID_LAYER_OFFCOLOR = 32778;
constexpr unsigned ID_ENTER_KEY = 32779;
constexpr unsigned ID_LAYER_HIDDEN = 32780;
constexpr unsigned ID_FOCUS_OPTIONBOX = 32781;
constexpr unsigned ID_LAYER_ADD = 32782;
constexpr unsigned ID_ESCAPE_KEY = 32783;
constexpr unsigned ID_SPACE_KEY = 32784;
constexpr unsigned ID_LAYER_PROPERTY = 32785;
constexpr unsigned ID_ZOOM_OUT_KEY = 32787;
constexpr unsigned ID_ZOOM_IN_KEY = 32788;
constexpr unsigned ID_FILE_OPEN_DXF = 32789;
constexpr unsigned ID_FILE_OPEN_JWC = 32790;
constexpr unsigned ID_SELECT_ALL_KEY = 32791;
constexpr unsigned ID_FILE_OPEN_JWW = 32792;
constexpr unsigned ID_APP_INITIAL_SETTINGS = 32793;
constexpr unsigned ID_SELECT_ALL = 32794;
constexpr unsigned ID_FILE_SAVE_JWW = 32795;
constexpr unsigned ID_FILE_SAVE_EMF = 32796;
constexpr unsigned ID_FILE_SAVE_IMAGE = 32797;
constexpr unsigned ID_FILE_SAVE_HPGL = 32798;
constexpr unsigned ID_PLOTTER_OUTPUT = 32799;
constexpr unsigned ID_PLOTTER_SETUP = 32800;
constexpr unsigned ID_DRAW_FIRST = 32801;  // drawing-menu commands 32801 ... 32867
constexpr unsigned ID_DRAW_LAST = 32867;
constexpr unsigned ID_DOC_INITIAL_SETTINGS = 32869;
constexpr unsigned ID_DIM_TOLERANCE = 32868;
constexpr unsigned ID_VIEW_DRAW_PALETTE = 32870;
constexpr unsigned ID_VIEW_PARTS_TREE = 32871;
constexpr unsigned ID_VIEW_LAYER_LIST = 32872;
constexpr unsigned ID_VIEW_REDISPLAY = 32873;
constexpr unsigned ID_VIEW_BASE = 32874;
constexpr unsigned ID_VIEW_FIT_ALL = 32875;
constexpr unsigned ID_VIEW_GRID = 32876;
constexpr unsigned ID_VIEW_DRAWING_RANGE = 32877;
constexpr unsigned ID_VIEW_ORIGIN_MARK = 32878;
constexpr unsigned ID_VIEW_MAGNET = 32879;
constexpr unsigned ID_VIEW_ZOOM_IN = 32880;
constexpr unsigned ID_VIEW_ZOOM_OUT = 32881;
constexpr unsigned ID_VIEW_ZOOM_BOX = 32882;
constexpr unsigned ID_REGISTER_PARTS = 32883;
constexpr unsigned ID_GROUP_REGISTER = 32884;
constexpr unsigned ID_GROUP_RELEASE = 32885;
constexpr unsigned ID_NUMERIC_INPUT = 32886;
constexpr unsigned ID_NUMERIC_SCALE = 32887;
constexpr unsigned ID_END_SELECTION = 32888;
constexpr unsigned ID_APPLY_GRID = 32889;
constexpr unsigned ID_ELEMENT_LIST = 32890;
constexpr unsigned ID_MSGBAR_BUTTON1 = 32891;
constexpr unsigned ID_MSGBAR_BUTTON2 = 32892;
constexpr unsigned ID_DRAWING_INFO = 32894;
constexpr unsigned ID_SIZEBAR_BUTTON2 = 32895;
constexpr unsigned ID_VIEW_HAND_MOVE = 32896;
constexpr unsigned ID_VIEW_CENTER_MOVE = 32897;
constexpr unsigned ID_VIEW_LENGTH_READOUT = 32898;
constexpr unsigned ID_FILE_SAVE_DXF = 32899;
constexpr unsigned ID_SELECTION_OPERATION = 32900;
