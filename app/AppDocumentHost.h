#pragma once
#include "model/Document.h"

// The window side of every drawing: the drawing-information dialog and the
// bars a loaded drawing updates. Installed by the application at start-up.
class CAppDocumentHost : public DocumentHost {
public:
    bool RunDrawingInfoDialog(COrvikCadDoc& doc, DrawingInfo& info) override;
    void DocumentChanged(COrvikCadDoc& doc) override;
    void FillPenCombo() override;
    void ReloadPenColors() override;
    void RepaintScaleReadout() override;
    void SetGridBarSelection(int selection) override;
    void ShowOpenProgress(int percent) override;
    void UpdateAllViews(COrvikCadDoc& doc) override;
    bool RunInitialSettingsDialog(CParameterBlock& record) override;
    void RunDimensionToleranceDialog() override;
};
