#pragma once
// What the application does once, right after creating its QApplication:
// numbers back to the "C" locale, the drawing fonts mapped to installed ones,
// model messages routed through the UI services, and the profile key set.

#include <QString>

namespace platform {

void startPlatformServices(const QString& profileKey);

} // namespace platform
