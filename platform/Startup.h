#pragma once
// What the application does once, right after creating its QApplication:
// numbers back to the "C" locale, the drawing fonts mapped to installed ones,
// model messages routed through the UI services, and the profile key set.

#include <QString>

#include <memory>

class QTranslator;

namespace platform {

void startPlatformServices(const QString& profileKey);

// Qt's own Japanese translations (standard dialogs and buttons), loaded but
// not installed; null when they are not installed on the machine.
std::unique_ptr<QTranslator> loadQtTranslations();

} // namespace platform
