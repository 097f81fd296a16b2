#include "platform/Startup.h"

#include "platform/Fonts.h"
#include "platform/Places.h"
#include "platform/Ui.h"

namespace platform {

void startPlatformServices(const QString& profileKey)
{
    restoreNumericLocale();
    installFontSubstitutions();
    installUiNotifier();
    setProfileKey(profileKey);
}

} // namespace platform
