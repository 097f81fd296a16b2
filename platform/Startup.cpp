#include "platform/Startup.h"

#include "exchange/TextEncoding.h"
#include "model/Cp932Text.h"
#include "platform/Encoding.h"
#include "platform/Fonts.h"
#include "platform/Places.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

std::unique_ptr<QTranslator> loadQtTranslations()
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return nullptr;
    }
    return translator;
}

void startPlatformServices(const QString& profileKey)
{
    restoreNumericLocale();
    // The program speaks Japanese whatever the user's locale, and so do the
    // file choosers, message-box buttons and other dialogs Qt provides.
    static std::unique_ptr<QTranslator> qtTranslations;
    if (!qtTranslations && (qtTranslations = loadQtTranslations())) {
        QCoreApplication::installTranslator(qtTranslations.get());
    }
    installFontSubstitutions();
    installUiNotifier();
    setProfileKey(profileKey);
    SetNativePathDecoder([](std::string_view cp932) {
        return std::filesystem::path(QFile::encodeName(FromCp932(cp932)).toStdString());
    });
    // UTF-16 strings of JWW files arrive as code page 932 like the rest.
    SetUtf16ToCp932Converter([](std::u16string_view text) {
        return ToCp932(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    });
    // Texts of foreign drawings in other Windows code pages.
    SetCodePageToUtf16Converter(CodePageToUtf16);
}

} // namespace platform
