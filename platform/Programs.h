#pragma once
// Other programs of the desktop, started without waiting for them: the
// mail program a drawing is sent with. Tests install a runner that records
// the call instead of starting anything.

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// Starts `program` with `arguments`; `finished` (may be empty) runs later on
// the UI thread: true when the program ran and exited with status 0, false
// when it could not be started or reported a failure.
using ProgramRunner = std::function<void(const QString& program, const QStringList& arguments,
                                         std::function<void(bool ok)> finished)>;

void runProgram(const QString& program, const QStringList& arguments, std::function<void(bool ok)> finished = {});

// Installs runner in place of the real one (an empty runner restores it);
// returns the one installed before (empty for the real one).
ProgramRunner setProgramRunner(ProgramRunner runner);

// Opens a new message of the desktop's mail program with `file` attached
// (xdg-email --attach file); `finished` as for runProgram: false when no mail
// program is set up.
void mailWithAttachment(const QString& file, std::function<void(bool ok)> finished);

} // namespace platform
