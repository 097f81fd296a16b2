// The document's settings commands: the settings dialog over the settings
// file and the dimension tolerance dialog.

#include "model/Document.h"

#include "model/Notify.h"
#include "model/Settings.h"

#include <system_error>

namespace {

const char* const SettingsNotWrittenMessage =
    "初期値設定ファイル ORVPRM.DAT に書き込めませんでした。\n設定は変更されていません。";

std::filesystem::path SettingsFolder()
{
    return std::filesystem::path(DataFolder);
}

} // namespace

bool ReadSettingsFile(CParameterBlock& block)
{
    CParameterBlock read;
    if (ReadParameterFile(SettingsFolder(), read, false) == ParameterFileStatus::Missing) return false;
    block = read;
    return true;
}

bool WriteSettingsFile(const CParameterBlock& block)
{
    std::error_code ec;
    if (!DataFolder.empty()) std::filesystem::create_directories(SettingsFolder(), ec);
    if (!DataFolder.empty() && WriteParameterFile(SettingsFolder(), block)) return true;
    ShowMessage(SettingsNotWrittenMessage, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void KeepWindowPositions(CParameterBlock& edited, const CParameterBlock& before)
{
    edited.PaletteLeft = before.PaletteLeft;
    edited.PaletteTop = before.PaletteTop;
    edited.LayerListLeft = before.LayerListLeft;
    edited.LayerListTop = before.LayerListTop;
    edited.LayerListWidth = before.LayerListWidth;
    edited.LayerListHeight = before.LayerListHeight;
}

void COrvikCadDoc::OnInitialSettings()
{
    if (!TheDocumentHost) return;
    CParameterBlock record = parameters;
    ReadSettingsFile(record);
    if (!TheDocumentHost->RunInitialSettingsDialog(record)) return;
    KeepWindowPositions(record, parameters);
    if (!WriteSettingsFile(record)) return;

    parameters = record;
    ApplySettingsCommandResult(record);
    DrawingSettingsBlock.SetDisplayColor(1, record.ScreenColors[1]);
    DrawingSettingsBlock.SetDisplayColor(7, record.ScreenColors[7]);
    // The views take the new grid; the drawing itself has not changed, so
    // it keeps the modified state it had (unsaved edits stay unsaved).
    const bool wasModified = modified;
    ViewUpdateRequest = 2;
    SetModifiedFlag(true);
    TheDocumentHost->UpdateAllViews(*this);
    SetModifiedFlag(wasModified);
    ViewUpdateRequest = 0;
    TheDocumentHost->ReloadPenColors();
}

void COrvikCadDoc::OnDimensionTolerance()
{
    if (TheDocumentHost) TheDocumentHost->RunDimensionToleranceDialog();
}
