#pragma once
// One open drawing: its entities and snap points, layers, header, display
// colours and its own copy of the settings record. Windows and dialogs are
// reached through DocumentHost, which the application implements.

#include "model/DrawingHeader.h"
#include "model/EntityList.h"
#include "model/ParameterBlock.h"
#include "model/SnapPointList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

class COrvikCadDoc;
struct ForeignDrawing;

// What the drawing-information dialog edits. Texts are code page 932.
struct DrawingInfo {
    std::string windowTitle;
    std::string drawingName;  // at most 60 bytes
    std::string author;       // 40
    std::string updater;      // 40
    std::string password;     // 8
    std::string title;        // 60
    int createdYear = 0, createdMonth = 0, createdDay = 0;
    int modifiedYear = 0, modifiedMonth = 0, modifiedDay = 0;
    int protection = 0;       // ProtectionState
    int scale = 1;
    int paperIndex = 0;
    int orientation = 0;
    int paperSource = 0;
    int printFit = 0;         // 0 actual size, 1 hard copy
    bool newDrawing = true;   // every field editable
};

// The window side of a document.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // Runs the drawing-information dialog on info; true on OK.
    virtual bool RunDrawingInfoDialog(COrvikCadDoc& doc, DrawingInfo& info) = 0;
    // Refills the pen combo of the size bar from PenColors.
    virtual void FillPenCombo() {}
    // Reads the pen colours of the settings file into the size bar and goes back to pen 1.
    virtual void ReloadPenColors() {}
    // Repaints the scale read-out of the size bar.
    virtual void RepaintScaleReadout() {}
    // Selects choice 0..6 in the grid bar and updates it.
    virtual void SetGridBarSelection(int) {}
    // The document's modified flag or title changed.
    virtual void DocumentChanged(COrvikCadDoc&) {}
    // How far a slow open has come, 0 to 100; -1 when it is over.
    virtual void ShowOpenProgress(int) {}
    // Every view of the document updates itself (reading ViewUpdateRequest).
    virtual void UpdateAllViews(COrvikCadDoc&) {}
    // Runs the settings dialog on record; true on OK (record then holds the
    // edited settings).
    virtual bool RunInitialSettingsDialog(CParameterBlock&) { return false; }
    // Runs the dimension tolerance dialog on the process-wide tolerance tables.
    virtual void RunDimensionToleranceDialog() {}
};

// Process-wide state the documents share.
extern DocumentHost* TheDocumentHost;  // may be null (then dialogs answer cancel)
extern double OpenProgressDelay;       // seconds an open runs before it shows its progress (0.5)
extern int SettingsLoaded;             // 0 until the first document copied ORVPRM.DAT

// The settings file ORVPRM.DAT in DataFolder as the settings commands use it.
// Read: false, and block untouched, when there is no file to read.
bool ReadSettingsFile(CParameterBlock& block);
// Write: the folder and file are created when missing; false when the file
// could not be written, which the user is told (the old file is kept).
bool WriteSettingsFile(const CParameterBlock& block);
// Gives edited the palette and layer-list positions and sizes of before.
void KeepWindowPositions(CParameterBlock& edited, const CParameterBlock& before);

// Result of opening a native drawing.
enum class OpenResult { Ok, Failed };

// Result of saving a native drawing.
enum class SaveResult {
    Ok,
    Failed,   // not written (the user was told); the file is as it was
    SaveAs,   // the file is write-protected and the user asked to save under another name
};

class COrvikCadDoc {
public:
    static constexpr int MaxLayers = LayerTable::MaxLayers;

    CEntityList list;
    CSnapPointList snaps;
    double DrawingOrigin[2] = {0.0, 0.0};
    int16_t ViewUpdateRequest = 0;
    int16_t layerCount = 10;
    int16_t currentLayer = 0;
    std::array<std::string, MaxLayers> layerNames;
    std::array<uint8_t, MaxLayers> layerStates{};
    std::string title;  // window title, code page 932
    int32_t ProtectionState = 0;
    int32_t loaded = 0;
    std::array<double, 3> ExtentsMin{0, 0, 0};
    std::array<double, 3> ExtentsMax{594, 420, 0};
    int32_t ClientSizeRecord[2] = {594, 420};
    std::array<double, 3> LimitsMin{0, 0, 0};
    std::array<double, 3> LimitsMax{0, 0, 0};
    ::DrawingSettingsBlock DrawingSettingsBlock;
    CParameterBlock parameters;
    DrawingHeader header;

    std::filesystem::path path;  // file the drawing was opened from or saved to
    bool modified = false;

    COrvikCadDoc();
    ~COrvikCadDoc();
    COrvikCadDoc(const COrvikCadDoc&) = delete;
    COrvikCadDoc& operator=(const COrvikCadDoc&) = delete;

    // A new drawing: asks for its drawing information. False when the user
    // cancelled.
    bool OnNewDocument();

    // Reads a native drawing file. On failure shows
    // "ファイルの読み込みに失敗しました。" and leaves the document as it was.
    OpenResult OnOpenDocument(const std::filesystem::path& file);
    // Reads a native drawing from bytes (no message); 0 or the reader's error.
    int LoadDrawing(std::span<const uint8_t> data);

    // Writes the drawing to file through AtomicWrite. On failure shows
    // "ファイルの書き込みに失敗しました。" (or why the drawing cannot be
    // stored), leaves the target as it was and keeps the document modified.
    // A write-protected file is not replaced: the user is told and asked
    // whether to save under another name (SaveAs when yes).
    SaveResult SaveDocument(const std::filesystem::path& file);
    bool OnSaveDocument(const std::filesystem::path& file) { return SaveDocument(file) == SaveResult::Ok; }
    // The file image of the drawing; false when there is nothing to write
    // or a value cannot be stored.
    bool StoreDrawing(std::vector<uint8_t>& out) const { return StoreDrawingImage(out) == 0; }
    // The same, giving the writer's result (DrawingFileResult).
    int StoreDrawingImage(std::vector<uint8_t>& out) const;

    // Adds one entity unless the drawing is protected (message then).
    // 0 added, 1 refused by the list, 2 refused by protection.
    int AddEntity(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                  std::string_view text = {}, std::string_view font = {});
    // Changes a linked entity in place through edit(entity): its snap points
    // are registered afresh (key points, then crossings with the entities
    // before it), every index following the list is told, and the drawing is
    // marked modified. False (nothing changed) when the entity is not in the
    // drawing or the drawing is protected (message then).
    bool ChangeEntity(CEntity* entity, const std::function<void(CEntity&)>& edit);
    // Shows the protection message and returns true when edits are refused.
    bool RefuseWhenProtected() const;

    int LoadParameters();
    int SaveParameters();
    // The settings command: the settings file (or, when it cannot be read,
    // this drawing's record) edited in the settings dialog. On OK the file is
    // written (this drawing's window positions kept); only when it was
    // written does the record become this drawing's and reach the running
    // program, the drawing's grid and layer-off colours and its views. A file
    // that cannot be written is reported and changes nothing.
    void OnInitialSettings();
    // The dimension tolerance command: the tolerance dialog on the
    // process-wide tables.
    void OnDimensionTolerance();
    // Runs the drawing-information dialog; existingDrawing greys the fields
    // that belong to the drawing's creation. True on OK.
    bool EditDrawingInfo(bool existingDrawing = false);
    void RebuildSnapPoints();

    // After an import: the paper whose size at the drawing's scale matches
    // ExtentsMax (landscape first, then portrait; A1 at that scale when none
    // does), the orientation, and the origin at the middle of the extents.
    int MatchPaperSize();
    // A new drawing built from one read from another program's file, in one
    // step: the grid record, scale, extents, limits and paper, the records
    // moved by the origin, snap points, the views refitted; the drawing
    // counts as unmodified.
    void BuildFromForeign(ForeignDrawing& read);
    // The grid record a new drawing starts with, from the settings record;
    // nothing when the drawing holds one.
    void AddGridRecord();
    // The tail every import ends with: entities from `firstImported` on are
    // moved by the origin, the scale read-out and snap points follow, the
    // views are refitted (ViewUpdateRequest `viewUpdate` around the update)
    // and the drawing counts as unmodified.
    void FinishImport(CEntity* firstImported, int viewUpdate);

    void SetModifiedFlag(bool value = true);
    void SetTitle(const std::string& cp932Title);

private:
    void ApplyLoadedDrawing();
};
