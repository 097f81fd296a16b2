#pragma once
// The plotter commands of a drawing: the plot dialog and then the plot run
// on the plotter port, and the plotter settings.

class COrvikCadDoc;
class QWidget;

// The plot dialog on the drawing's plot fields; on OK they come back into
// its header and settings record and the drawing goes to the plotter port.
void RunPlotterOutput(COrvikCadDoc& doc, QWidget* parent = nullptr);
// The plotter settings on the drawing's settings record; on OK they come
// back and the settings file is saved.
void RunPlotterSetup(COrvikCadDoc& doc, QWidget* parent = nullptr);
