#include "model/Document.h"

#include "model/AtomicWrite.h"
#include "model/Cp932Text.h"
#include "model/EditDoor.h"
#include "model/DrawingFile.h"
#include "model/Notify.h"
#include "model/PaperSizes.h"
#include "model/Settings.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <system_error>

DocumentHost* TheDocumentHost = nullptr;
double OpenProgressDelay = 0.5;
int SettingsLoaded = 0;

namespace {

const char* const WriteProtectedMessage = "この図面は、書きこみ禁止状態になっています。";
const char* const PasswordProtectedMessage = "この図面は、パスワードによって保護されています。";
const char* const WriteFailedMessage = "ファイルの書き込みに失敗しました。";
const char* const ReadFailedMessage = "ファイルの読み込みに失敗しました。";
const char* const NotFiniteMessage =
    "図面に数値として扱えない値（無限大または非数）があるため、保存できません。";

// A write-protected file is left alone; the user may save under another name.
std::string WriteProtectedFileMessage(const std::filesystem::path& file)
{
    return file.string() + "\nは書き込みが禁止されているため、上書き保存できません。\n名前を付けて保存しますか？";
}

// "無　題" and "名称未設定" in code page 932.
const char* const UntitledDrawingName = "\x96\xb3\x81\x40\x91\xe8";
const char* const UntitledTitle = "\x96\xbc\x8f\xcc\x96\xa2\x90\xdd\x92\xe8";

// What a refused open tells the user: a file that cannot be read at all is
// named, one that is not a sound drawing gets the reader's message.
std::string OpenFailedMessage(const std::filesystem::path& file, int result)
{
    if (result == DrawingFileNotRegular) return file.string() + "\nはファイルではないため開けません。";
    if (result == DrawingFileUnreadable) return file.string() + "\nを読み込めません。";
    return ReadFailedMessage;
}

std::string LayerName(int i)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "Layer%02d", i);
    return buf;
}

int32_t TodayAsDrawingDate()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    int year = local.tm_year + 1900;
    int yy = year >= 2000 ? year - 2000 : year - 1900;
    return yy * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

std::filesystem::path DataFolderPath()
{
    return std::filesystem::path(DataFolder);
}

} // namespace

COrvikCadDoc::COrvikCadDoc()
{
    snaps.Follow(list);
    LoadParameters();
    if (SettingsLoaded == 0) {
        ApplyParametersToSettings(parameters);
        SettingsLoaded = 1;
    }

    header = DrawingHeader{};
    DrawingHeader::SetFieldText(header.drawingName, UntitledDrawingName);
    header.version = DrawingHeader::CurrentVersion;
    header.paperIndex = static_cast<uint16_t>(parameters.PaperSize);
    header.paperSource = static_cast<uint8_t>(parameters.PaperSource & 0xFF);
    header.createdDate = header.modifiedDate = TodayAsDrawingDate();
    header.scale = static_cast<float>(parameters.DrawingScale);
    title = UntitledTitle;

    for (int i = 0; i < 8; ++i) DrawingSettingsBlock.SetDisplayColor(i, parameters.ScreenColors[i]);
    for (int i = 0; i < MaxLayers; ++i) {
        layerNames[i] = LayerName(i + 1);
        layerStates[i] = 1;
    }
}

COrvikCadDoc::~COrvikCadDoc()
{
    // A document whose open or import was refused (loaded -1) was never the
    // user's drawing: it goes without touching the settings file.
    if (loaded >= 0) SaveParameters();
}

int COrvikCadDoc::LoadParameters()
{
    ParameterFileStatus status = ReadParameterFile(DataFolderPath(), parameters, false);
    if (status != ParameterFileStatus::Missing) return 0;

    parameters.SetFactoryDefaults();
    if (!PartsFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directory(NativePathFromCp932(PartsFolder), ec);
    }
    SaveParameters();
    parameters.PaletteLeft = 94;
    parameters.PaletteTop = 115;
    parameters.LayerListLeft = 94;
    parameters.LayerListTop = 384;
    parameters.LayerListWidth = 122;
    parameters.LayerListHeight = 225;
    return 1;
}

int COrvikCadDoc::SaveParameters()
{
    // Another drawing or the settings command may have stored the file since
    // this document read it: start from what the file holds now, so only the
    // fields that mirror the process-wide settings are written back.
    CParameterBlock current = parameters;
    ReadParameterFile(DataFolderPath(), current, false);
    StoreSettingsInParameters(current);
    std::error_code ec;
    if (!DataFolder.empty()) std::filesystem::create_directories(DataFolderPath(), ec);
    return WriteParameterFile(DataFolderPath(), current) ? 0 : 1;
}

bool COrvikCadDoc::RefuseWhenProtected() const
{
    if (ProtectionState == ProtectionWrite) {
        ShowMessage(WriteProtectedMessage);
        return true;
    }
    if (ProtectionState == ProtectionPassword) {
        ShowMessage(PasswordProtectedMessage);
        return true;
    }
    return false;
}

int COrvikCadDoc::AddEntity(const EntityHeader& entityHeader, const int16_t* codes, COLORREF colour,
                            const double* values, std::string_view text, std::string_view font)
{
    EditDoor door(*this, /*keepUndo=*/true);
    if (!door.Enter()) return 2;
    return door.Add(entityHeader, codes, colour, values, text, font) ? 0 : 1;
}

bool COrvikCadDoc::ChangeEntity(CEntity* entity, const std::function<void(CEntity&)>& edit)
{
    if (!entity || !list.Holds(entity)) return false;
    EditDoor door(*this, /*keepUndo=*/true);
    return door.Change(entity, edit);
}

bool COrvikCadDoc::OnNewDocument()
{
    if (!EditDrawingInfo()) return false;
    LoadParameters();
    PenColors = parameters.PenColors;
    PenWidths = parameters.PenWidths;
    if (TheDocumentHost) TheDocumentHost->ReloadPenColors();
    return true;
}

bool COrvikCadDoc::EditDrawingInfo(bool existingDrawing)
{
    if (!TheDocumentHost) return false;
    DrawingInfo info;
    info.windowTitle = title;
    info.drawingName = DrawingHeader::FieldText({header.drawingName.data(), header.drawingName.size()});
    info.author = DrawingHeader::FieldText({header.author.data(), header.author.size()});
    info.updater = DrawingHeader::FieldText({header.updater.data(), header.updater.size()});
    info.password = DrawingHeader::FieldText({header.password.data(), header.password.size()});
    info.title = title;
    info.createdYear = DrawingDateYear(header.createdDate);
    info.createdMonth = DrawingDateMonth(header.createdDate);
    info.createdDay = DrawingDateDay(header.createdDate);
    info.modifiedYear = DrawingDateYear(header.modifiedDate);
    info.modifiedMonth = DrawingDateMonth(header.modifiedDate);
    info.modifiedDay = DrawingDateDay(header.modifiedDate);
    info.protection = header.protection;
    info.scale = std::isfinite(header.scale) ? static_cast<int>(header.scale) : 1;
    info.paperIndex = header.paperIndex;
    info.orientation = header.orientation;
    info.paperSource = header.paperSource;
    info.printFit = header.printFit;
    info.newDrawing = !existingDrawing;

    if (!TheDocumentHost->RunDrawingInfoDialog(*this, info)) return false;

    DrawingHeader::SetFieldText(header.drawingName, info.drawingName);
    DrawingHeader::SetFieldText(header.author, info.author);
    DrawingHeader::SetFieldText(header.updater, info.updater);
    DrawingHeader::SetFieldText(header.password, info.password);
    header.createdDate = MakeDrawingDate(info.createdYear, info.createdMonth, info.createdDay);
    header.modifiedDate = MakeDrawingDate(info.modifiedYear, info.modifiedMonth, info.modifiedDay);
    header.protection = static_cast<uint8_t>(info.protection);
    ProtectionState = info.protection;
    if (info.scale > 0) header.scale = static_cast<float>(info.scale);
    header.paperIndex = static_cast<uint16_t>(info.paperIndex);
    header.orientation = static_cast<uint16_t>(info.orientation);
    header.paperSource = static_cast<uint8_t>(info.paperSource);
    header.printFit = static_cast<uint16_t>(info.printFit);
    ClientSizeRecord[0] = 594;
    ClientSizeRecord[1] = 420;
    SetTitle(info.title);
    return true;
}

void COrvikCadDoc::RebuildSnapPoints()
{
    snaps.RemoveAll();
    for (CEntity* e = list.first; e; e = e->next) snaps.AddEntityPoints(e);
}

int COrvikCadDoc::StoreDrawingImage(std::vector<uint8_t>& out) const
{
    CDrawingFile file;
    file.extents.ExtentsMin = ExtentsMin;
    file.extents.ExtentsMax = ExtentsMax;
    file.extents.LimitsMin = LimitsMin;
    file.extents.LimitsMax = LimitsMax;
    file.header = header;
    file.header.currentLayer = currentLayer;
    file.settings = DrawingSettingsBlock;
    file.layers.count = layerCount;
    file.layers.current = currentLayer;
    for (int i = 0; i < layerCount && i < MaxLayers; ++i) {
        file.layers.names[i] = layerNames[i];
        file.layers.states[i] = layerStates[i];
    }
    return file.WriteDrawing(out, list.first);
}

SaveResult COrvikCadDoc::SaveDocument(const std::filesystem::path& file)
{
    // An image whose path would not fit its field stops the save: the file
    // keeps what it held, and the user is told which picture to move.
    if (const CEntity* image = CDrawingFile().OverlongImagePath(list.first)) {
        ShowMessage(NativePathFromCp932(image->text).string() + "\n画像ファイルのパスが長すぎるため、図面を保存できません。\n" +
                        "パスが " + std::to_string(CDrawingFile::MaxPathBytes) +
                        " バイト以内の場所に画像を置いて、貼り付け直して下さい。",
                    MB_OK | MB_ICONEXCLAMATION);
        return SaveResult::Failed;
    }
    std::vector<uint8_t> bytes;
    const int stored = StoreDrawingImage(bytes);
    if (stored == DrawingFileNotFinite) {
        ShowMessage(NotFiniteMessage);
        return SaveResult::Failed;
    }
    AtomicWriteResult written = AtomicWriteResult::Failed;
    if (stored == DrawingFileOk) written = WriteFileAtomically(file, std::span<const uint8_t>(bytes));
    if (written == AtomicWriteResult::WriteProtected) {
        return ShowMessage(WriteProtectedFileMessage(file), MB_YESNO | MB_ICONEXCLAMATION) == IDYES ? SaveResult::SaveAs
                                                                                                 : SaveResult::Failed;
    }
    if (written != AtomicWriteResult::Ok) {
        ShowMessage(WriteFailedMessage);
        return SaveResult::Failed;
    }
    path = file;
    SetModifiedFlag(false);
    return SaveResult::Ok;
}

int COrvikCadDoc::LoadDrawing(std::span<const uint8_t> data)
{
    CDrawingFile file;
    // A long open shows how far it has come instead of a window that seems
    // to hang; a quick one shows nothing.
    const auto start = std::chrono::steady_clock::now();
    int shown = -1;
    file.progress = [&](std::size_t done, std::size_t total) {
        if (!TheDocumentHost) return;
        if (shown < 0 && std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
                             OpenProgressDelay)
            return;
        const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
        if (percent == shown) return;
        shown = percent;
        TheDocumentHost->ShowOpenProgress(percent);
    };
    int result = file.ReadDrawing(data, list, snaps);
    if (shown >= 0 && TheDocumentHost) TheDocumentHost->ShowOpenProgress(-1);
    if (result != DrawingFileOk) return result;
    ClientSizeRecord[0] = 594;
    ClientSizeRecord[1] = 420;

    ExtentsMin = file.extents.ExtentsMin;
    ExtentsMax = file.extents.ExtentsMax;
    LimitsMin = file.extents.LimitsMin;
    LimitsMax = file.extents.LimitsMax;
    header = file.header;
    ProtectionState = header.protection;
    DrawingSettingsBlock = file.settings;

    if (file.formatVersion >= 3) {
        layerCount = static_cast<int16_t>(file.layers.count);
        for (int i = 0; i < MaxLayers; ++i) {
            layerNames[i] = file.layers.names[i];
            layerStates[i] = file.layers.states[i];
        }
    } else {
        layerCount = 20;
        for (int i = 0; i < 20; ++i) {
            layerNames[i] = LayerName(i + 1);
            layerStates[i] = file.layers.states[i];
        }
    }
    if (layerCount < 1) layerCount = 1;
    if (layerCount > MaxLayers) layerCount = MaxLayers;
    currentLayer = header.currentLayer;
    if (currentLayer < 0 || currentLayer >= layerCount) currentLayer = 0;
    ApplyLoadedDrawing();
    return DrawingFileOk;
}

void COrvikCadDoc::ApplyLoadedDrawing()
{
    loaded = 1;
    ScaleDenominator = ScaleDenominatorFor(header.scale);

    LinkGroupMembers(list);

    for (CEntity* e = list.first; e; e = e->next) {
        int t = e->type;
        bool drawn = t == 10 || (t >= 20 && t <= 27) || (t >= 30 && t <= 33) || t == 40 || t == 41 || t == 50 ||
                     t == 70 || t == 71 || t == 90;
        if (!drawn) continue;
        int pen = e->style % 100;
        if (pen < 0 || pen > 7) pen = 7;
        PenColors[pen] = e->colour;
    }

    if (TheDocumentHost) {
        TheDocumentHost->RepaintScaleReadout();
        TheDocumentHost->FillPenCombo();
    }
    for (CEntity* e = list.first; e; e = e->next) {
        if (e->type != 11) continue;
        GridLineType = static_cast<int16_t>(e->style / 100);
        GridKind = static_cast<int16_t>(e->style % 100);
        int selection = GridKind == 0 ? GridLineType : GridKind == 1 ? 5 : GridKind == 2 ? 6 : -1;
        if (selection >= 0 && TheDocumentHost) TheDocumentHost->SetGridBarSelection(selection);
        break;
    }
}

OpenResult COrvikCadDoc::OnOpenDocument(const std::filesystem::path& file)
{
    // Only a regular file whose header and announced sizes fit is read
    // whole; the reader then adds nothing and changes no field unless the
    // whole file is sound, so a refused file leaves the document as it was.
    std::vector<uint8_t> bytes;
    int result = ReadDrawingFileImage(file, bytes);
    if (result == DrawingFileOk) result = LoadDrawing(bytes);
    if (result != DrawingFileOk) {
        ShowMessage(OpenFailedMessage(file, result));
        if (loaded == 0) loaded = -1;
        return OpenResult::Failed;
    }
    path = file;
    SetModifiedFlag(false);
    return OpenResult::Ok;
}

void COrvikCadDoc::SetModifiedFlag(bool value)
{
    if (modified == value) return;
    modified = value;
    if (TheDocumentHost) TheDocumentHost->DocumentChanged(*this);
}

void COrvikCadDoc::SetTitle(const std::string& cp932Title)
{
    title = cp932Title;
    if (TheDocumentHost) TheDocumentHost->DocumentChanged(*this);
}

int COrvikCadDoc::MatchPaperSize()
{
    const double s = header.scale;
    const double w = ExtentsMax[0];
    const double h = ExtentsMax[1];
    int result = -1;
    for (int turn = 0; turn < 2 && result < 0; ++turn) {
        for (int i = 0; i < PaperSizeCount; ++i) {
            const double pw = turn == 0 ? PaperSizeTable[i].longSide : PaperSizeTable[i].shortSide;
            const double ph = turn == 0 ? PaperSizeTable[i].shortSide : PaperSizeTable[i].longSide;
            if (std::fabs(w - s * pw) < 1.0 && std::fabs(h - s * ph) < 1.0) {
                header.orientation = static_cast<uint16_t>(turn);
                result = i;
                break;
            }
        }
    }
    if (result < 0) {
        ExtentsMax[0] = s * PaperSizeTable[1].longSide;
        ExtentsMax[1] = s * PaperSizeTable[1].shortSide;
        result = 1;
    }
    DrawingOrigin[0] = ExtentsMax[0] / 2.0;
    DrawingOrigin[1] = ExtentsMax[1] / 2.0;
    return result;
}

void COrvikCadDoc::FinishImport(CEntity* firstImported, int viewUpdate)
{
    // A foreign file's extents that are no numbers would make the drawing unsavable.
    for (auto* corner : {&ExtentsMin, &ExtentsMax, &LimitsMin, &LimitsMax})
        for (double& v : *corner)
            if (!std::isfinite(v)) v = 0.0;
    for (double& v : DrawingOrigin)
        if (!std::isfinite(v)) v = 0.0;
    if (firstImported) TranslateEntities(DrawingOrigin[0], DrawingOrigin[1], firstImported);
    ScaleDenominator = ScaleDenominatorFor(header.scale);
    if (TheDocumentHost) TheDocumentHost->RepaintScaleReadout();
    RebuildSnapPoints();
    ViewUpdateRequest = static_cast<int16_t>(viewUpdate);
    SetModifiedFlag(true);
    if (TheDocumentHost) TheDocumentHost->UpdateAllViews(*this);
    SetModifiedFlag(false);
    ViewUpdateRequest = 0;
}
