#pragma once
// Wires the layers together at start-up: the tools into the view's tool
// list, the tools' numeric-input dialogs into the view, the option panels
// into the main frame. Every layer below the application reaches what lies
// above it only through what is installed here.

// Everything below, in one call; the application makes it before any
// window is shown (test programs make it once before their tests).
void InstallComponents();

// The seventeen tool objects, built by CreateTools() in their fixed order.
void InstallTools();
// The one-value and two-value numeric-input dialogs.
void InstallNumericInputDialogs();
// The property dialogs a double click with the selection tool opens.
void InstallPropertyDialogs();
// The entity list dialog of the document's and the view's list commands.
void InstallEntityList();
// The option panels of the main frame's option bar.
void InstallOperationBoxes();
// The readers the open commands import foreign drawings with (formats
// without one say so when their command is chosen).
void InstallImportReaders();
// The plot dialogs the HP-GL file and plotter commands run.
void InstallPlotter();
