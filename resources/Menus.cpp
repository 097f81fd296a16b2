#include "resources/Menus.h"

#include "resources/Resource.h"

#include <Qt>

namespace {

MenuItem Item(unsigned id, const char* text)
{
    return MenuItem{id, text, {}};
}
MenuItem Separator()
{
    return MenuItem{};
}
MenuItem Popup(const char* text, std::vector<MenuItem> items)
{
    return MenuItem{0, text, std::move(items)};
}

std::vector<MenuItem> RecentFiles()
{
    // The framework fills these four places with the recent files.
    return {Item(ID_FILE_MRU_FILE1, "最近使ったファイル"), Item(ID_FILE_MRU_FILE1 + 1, nullptr),
            Item(ID_FILE_MRU_FILE1 + 2, nullptr), Item(ID_FILE_MRU_FILE1 + 3, nullptr)};
}

std::vector<MenuItem> Concat(std::vector<MenuItem> a, const std::vector<MenuItem>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

MenuItem HelpMenu()
{
    return Popup("ヘルプ(&H)", {Item(ID_APP_ABOUT, "バージョン情報 OrvikCAD(&A)...")});
}

MenuItem MainMenu()
{
    MenuItem file = Popup("ファイル(&F)",
        Concat({Item(ID_FILE_NEW, "新規作成\tCtrl+N(&N)"), Item(ID_FILE_OPEN, "開く...\tCtrl+O(&O)"), Separator(),
                   Item(ID_FILE_OPEN_DXF, "ＤＸＦファイルを開く..."), Item(ID_FILE_OPEN_JWC, "JWＣファイルを開く..."),
                   Item(ID_FILE_OPEN_JWW, "JWWファイルを開く..."), Separator(),
                   Item(ID_FILE_PRINT_SETUP, "プリンタの設定(&R)..."), Separator(),
                   Item(ID_APP_INITIAL_SETTINGS, "初期値設定(&I)"), Separator()},
            Concat(RecentFiles(), {Separator(), Item(ID_APP_EXIT, "アプリケーションの終了(&X)")})));
    MenuItem view = Popup("表示(&V)",
        {Item(ID_VIEW_TOOLBAR, "ツール バー(&T)"), Item(ID_VIEW_STATUS_BAR, "ステータス バー(&S)")});
    return Popup("", {file, view, HelpMenu()});
}

MenuItem DrawMenu()
{
    return Popup("作図(&D)",
        {
            Popup("選択", {Item(32801, "図形選択"), Item(32802, "グループ登録"), Item(32803, "グループ解除"),
                              Item(32804, "部品データ登録"), Item(32805, "作図要素リスト")}),
            Popup("点", {Item(32806, "任意点"), Item(32807, "座標入力"), Item(32808, "交点"), Item(32809, "移動点"),
                            Item(32810, "構成点")}),
            Popup("直線", {Item(32811, "直線"), Item(32812, "連続線"), Item(32813, "無限線"), Item(32814, "垂線"),
                              Item(32815, "平行線"), Item(32816, "中心線"), Item(32817, "幅付き線"),
                              Item(32818, "接線"), Item(32820, "角度移動線")}),
            Popup("曲線", {Item(32821, "ベジェ曲線"), Item(32822, "連続円弧"), Item(32823, "自由曲線")}),
            Popup("円・円弧", {Item(32824, "円（半径指定）"), Item(32819, "円（直径指定）"), Item(32825, "３点円"),
                                  Item(32826, "円弧（半径）"), Item(32827, "円弧（直径）"), Item(32828, "３点円弧")}),
            Popup("多角形", {Item(32829, "ボックス"), Item(32830, "平行四辺形"), Item(32831, "多角形")}),
            Popup("文字列", {Item(32832, "任意文字"), Item(32833, "指示線付き")}),
            Popup("寸法線", {Item(32834, "距離寸法"), Item(32835, "水平寸法"), Item(32836, "垂直寸法"),
                                Item(32837, "円周"), Item(32838, "半径"), Item(32839, "直径"), Item(32840, "角度寸法"),
                                Item(32841, "面積")}),
            Popup("削除", {Item(32842, "単一削除"), Item(32843, "クロス削除"), Item(32844, "グループ削除")}),
            Popup("伸縮", {Item(32845, "伸縮"), Item(32846, "基準線伸縮"), Item(32847, "カット"),
                              Item(32848, "２線間カット"), Item(32849, "接合"), Item(32850, "包括処理")}),
            Popup("コーナー", {Item(32851, "コーナー")}),
            Popup("拡大・縮小", {Item(32852, "拡大・縮小"), Item(32853, "ストレッチ"), Item(32854, "オフセット")}),
            Popup("移動・複写", {Item(32855, "移動"), Item(32856, "複写"), Item(32857, "水平反転移動"),
                                    Item(32858, "水平反転複写"), Item(32859, "垂直反転移動"),
                                    Item(32860, "垂直反転複写"), Item(32861, "図面間複写")}),
            Popup("ハッチング", {Item(32862, "ハッチング"), Item(32863, "塗りつぶし")}),
            Popup("イメージ", {Item(32864, "画像貼付け")}),
            Popup("展開図", {Item(32865, "円柱展開図"), Item(32866, "四角柱展開図"), Item(32867, "円錐展開図")}),
        });
}

std::vector<MenuItem> LayerItems()
{
    return {Item(ID_LAYER_NORMAL, "■ 通常色表示"), Item(ID_LAYER_OFFCOLOR, "□ オフカラー表示"),
            Item(ID_LAYER_HIDDEN, "＿ 表示しない"), Separator(), Item(ID_LAYER_ADD, "レイヤーの追加..."),
            Item(ID_LAYER_PROPERTY, "プロパティ(&P)...")};
}

MenuItem DrawingWindowMenu()
{
    MenuItem file = Popup("ファイル(&F)",
        Concat({Item(ID_FILE_NEW, "新規作成\tCtrl+N(&N)"), Item(ID_FILE_OPEN, "開く...\tCtrl+O(&O)"),
                   Item(ID_FILE_CLOSE, "閉じる(&C)"), Item(ID_FILE_SAVE, "上書き保存\tCtrl+S(&S)"),
                   Item(ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."), Separator(),
                   Item(ID_FILE_OPEN_DXF, "ＤＸＦファイルを開く..."), Item(ID_FILE_OPEN_JWC, "JWＣファイルを開く..."),
                   Item(ID_FILE_OPEN_JWW, "JWWファイルを開く..."), Separator(),
                   Item(ID_FILE_SAVE_DXF, "ＤＸＦ形式で保存..."), Item(ID_FILE_SAVE_JWW, "JWW形式で保存..."),
                   Item(ID_FILE_SAVE_HPGL, "HPGL形式で保存..."), Item(ID_FILE_SAVE_EMF, "EMF形式で保存..."),
                   Item(ID_FILE_SAVE_IMAGE, "画像で保存..."), Separator(), Item(ID_FILE_PRINT, "印刷...\tCtrl+P(&P)"),
                   Item(ID_FILE_PRINT_PREVIEW, "印刷プレビュー(&V)"), Item(ID_FILE_PRINT_SETUP, "プリンタの設定(&R)..."),
                   Separator(), Item(ID_PLOTTER_OUTPUT, "プロッター出力...\tAlt+P"),
                   Item(ID_PLOTTER_SETUP, "プロッターの設定..."), Separator(),
                   Item(ID_FILE_SEND_MAIL, "図面送信(&D)..."), Separator()},
            Concat(RecentFiles(), {Separator(), Item(ID_APP_EXIT, "アプリケーションの終了(&X)")})));
    MenuItem edit = Popup("編集(&E)",
        {Item(ID_EDIT_UNDO, "元に戻す\tCtrl+Z"), Separator(), Item(ID_EDIT_COPY, "クリップボードにコピー\tCtrl+C(&C)"),
            Item(ID_SELECT_ALL, "すべて選択\tCtrl+A(&A)")});
    MenuItem view = Popup("表示(&V)",
        {Item(ID_VIEW_ZOOM_IN, "拡大(&+)\tPageUp"), Item(ID_VIEW_ZOOM_OUT, "縮小(&-)\tPageDown"),
            Item(ID_VIEW_ZOOM_BOX, "範囲拡大(&Z)"), Item(ID_VIEW_FIT_ALL, "全体表示(&A)"),
            Item(ID_VIEW_BASE, "基準画面に戻る(&B)"), Item(ID_VIEW_REDISPLAY, "再表示(&R)"),
            Item(ID_VIEW_CENTER_MOVE, "中心移動"), Item(ID_VIEW_HAND_MOVE, "ハンド移動"), Separator(),
            Item(ID_VIEW_GRID, "グリッド表示(&G)"), Item(ID_VIEW_MAGNET, "マグネット機能(&M)"),
            Item(ID_VIEW_DRAWING_RANGE, "作図範囲表示(&D)"), Item(ID_VIEW_ORIGIN_MARK, "原点マーク表示"),
            Item(ID_VIEW_LENGTH_READOUT, "距離表示"), Separator(),
            Item(ID_VIEW_DRAW_PALETTE, "作図パレット(&D)"), Item(ID_VIEW_PARTS_TREE, "部品データ"),
            Item(ID_VIEW_LAYER_LIST, "レイヤーリスト(&L)"), Separator(), Item(ID_VIEW_TOOLBAR, "ツール バー(&T)"),
            Item(ID_VIEW_STATUS_BAR, "ステータス バー(&S)")});
    MenuItem layer = Popup("レイヤー(&L)", LayerItems());
    MenuItem settings = Popup("設定(&S)",
        {Item(ID_DRAWING_INFO, "図面情報"), Item(ID_DOC_INITIAL_SETTINGS, "初期値設定(&I)..."),
            Item(ID_DIM_TOLERANCE, "寸法公差設定(&D)")});
    MenuItem window = Popup("ウィンドウ(&W)",
        {Item(ID_WINDOW_CASCADE, "重ねて表示(&C)"), Item(ID_WINDOW_TILE_HORZ, "並べて表示(&T)"),
            Item(ID_WINDOW_ARRANGE, "アイコンの整列(&A)")});
    return Popup("", {file, edit, view, DrawMenu(), layer, settings, window, HelpMenu()});
}

MenuItem LayerMenu()
{
    return Popup("", {Popup("レイヤーメニュー", LayerItems())});
}

} // namespace

namespace {

// A context menu of the view: its command, a separator and the cancel.
MenuItem ContextMenu(const char* title, unsigned id, const char* text)
{
    return Popup("", {Popup(title, {Item(id, text), Separator(), Item(ID_TOOL_CANCEL, "キャンセル")})});
}

} // namespace

const MenuItem* LoadMenuResource(unsigned id)
{
    static const MenuItem listEdit = ContextMenu("リスト編集", ID_LIST_EDIT, "リスト編集...");
    static const MenuItem parts = ContextMenu("外部登録", ID_REGISTER_PARTS, "部品データ登録...");
    static const MenuItem groupRegister = ContextMenu("グループ登録", ID_GROUP_REGISTER, "グループ登録");
    static const MenuItem groupRelease = ContextMenu("グループ解除", ID_GROUP_RELEASE, "グループ解除");
    static const MenuItem numeric = ContextMenu("数値指定メニュー", ID_NUMERIC_INPUT, "数値入力...");
    static const MenuItem scale = ContextMenu("拡大・縮小", ID_NUMERIC_SCALE, "拡大・縮小");
    static const MenuItem stretch = ContextMenu("ストレッチ", ID_END_SELECTION, "選択終了");
    switch (id) {
    case IDR_LIST_EDIT_MENU: return &listEdit;
    case IDR_PARTS_MENU: return &parts;
    case IDR_GROUP_REGISTER_MENU: return &groupRegister;
    case IDR_GROUP_RELEASE_MENU: return &groupRelease;
    case IDR_NUMERIC_MENU: return &numeric;
    case IDR_SCALE_MENU: return &scale;
    case IDR_STRETCH_MENU: return &stretch;
    default: break;
    }
    static const MenuItem main = MainMenu();
    static const MenuItem drawing = DrawingWindowMenu();
    static const MenuItem layer = LayerMenu();
    switch (id) {
    case IDR_MAINFRAME:
        return &main;
    case IDR_ORVIKCTYPE:
        return &drawing;
    case IDR_LAYER_MENU:
        return &layer;
    default:
        return nullptr;
    }
}

const std::vector<Accelerator>& AcceleratorTable()
{
    static const std::vector<Accelerator> table = {
        {Qt::SHIFT | Qt::Key_F1, ID_CONTEXT_HELP},
        {Qt::CTRL | Qt::Key_C, ID_EDIT_COPY},
        {Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
        {Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
        {Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
        {Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
        {Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
        {Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
        {Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
        {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
        {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
        {Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
        {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
        {Qt::Key_F1, ID_HELP},
        {Qt::Key_Down, ID_SCROLL_DOWN},
        {Qt::Key_Left, ID_SCROLL_LEFT},
        {Qt::Key_Right, ID_SCROLL_RIGHT},
        {Qt::Key_Up, ID_SCROLL_UP},
        {Qt::CTRL | Qt::Key_A, ID_SELECT_ALL_KEY},
        {Qt::Key_F6, ID_NEXT_PANE},
        {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
        {Qt::Key_Return, ID_ENTER_KEY},
        {Qt::Key_Return, ID_FOCUS_OPTIONBOX}, // shadowed by the entry above
        {Qt::Key_Escape, ID_ESCAPE_KEY},
        {Qt::Key_Space, ID_SPACE_KEY},
        {Qt::Key_PageDown, ID_ZOOM_OUT_KEY},
        {Qt::Key_PageUp, ID_ZOOM_IN_KEY},
        // The key the file menu shows beside "プロッター出力...".
        {Qt::ALT | Qt::Key_P, ID_PLOTTER_OUTPUT},
    };
    return table;
}

const ToolbarResource* LoadToolbarResource(unsigned id)
{
    static const std::vector<ToolbarResource> bars = {
        {IDR_MAINFRAME, "ファイル処理",
            {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, 0, ID_VIEW_DRAW_PALETTE, ID_VIEW_PARTS_TREE, 0,
                ID_ELEMENT_LIST}},
        {IDR_GRIDBAR, "グリッド", {ID_VIEW_GRID, 0, ID_APPLY_GRID}},
        {IDR_MSGBAR, "メッセージ", {ID_MSGBAR_BUTTON1, 0, ID_MSGBAR_BUTTON2}},
        {IDR_VIEWBAR, "表示処理",
            {ID_EDIT_UNDO, 0, ID_VIEW_REDISPLAY, ID_VIEW_BASE, ID_VIEW_FIT_ALL, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT,
                ID_VIEW_ZOOM_BOX, ID_VIEW_HAND_MOVE, ID_VIEW_CENTER_MOVE, 0, ID_VIEW_DRAWING_RANGE,
                ID_VIEW_ORIGIN_MARK, ID_VIEW_MAGNET, ID_VIEW_LENGTH_READOUT}},
        {IDR_SIZEBAR, "情報", {ID_DRAWING_INFO, 0, ID_SIZEBAR_BUTTON2}},
    };
    for (const auto& bar : bars) {
        if (bar.id == id) {
            return &bar;
        }
    }
    return nullptr;
}
