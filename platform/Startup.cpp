#include "platform/Startup.h"

#include "model/Cp932Text.h"
#include "platform/Encoding.h"
#include "platform/Fonts.h"
#include "platform/Places.h"
#include "platform/Ui.h"

#include <QFile>

namespace platform {

void startPlatformServices(const QString& profileKey)
{
    restoreNumericLocale();
    installFontSubstitutions();
    installUiNotifier();
    setProfileKey(profileKey);
    SetNativePathDecoder([](std::string_view cp932) {
        return std::filesystem::path(QFile::encodeName(FromCp932(cp932)).toStdString());
    });
}

} // namespace platform
