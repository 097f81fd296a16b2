#pragma once
// Qt's own file chooser as the program shows it, and the folder the
// choosers open in when a request names none: that of the last file or
// folder chosen (platform/Ui.h).

#include "platform/Ui.h"

class QFileDialog;

namespace platform {

// Sets Qt's file chooser up for a request, as the real backend shows it:
// mode, title, filters, folder and name, and its file list in Japanese.
void prepareFileDialog(QFileDialog& dialog, const FileRequest& request, bool save);

// Forgets the folder last chosen (the choosers then open in the working
// folder until something is chosen).
void forgetLastFolder();

} // namespace platform
