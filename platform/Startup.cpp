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

#include <cstring>

namespace platform {

namespace {

// Qt's Japanese translations with the few texts they lack: the kinds the
// file chooser's list gives folders and drives.
class QtJapanese : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && context && sourceText && std::strcmp(context, "QAbstractFileIconProvider") == 0) {
            static const struct {
                const char* source;
                const char* japanese;
            } kinds[] = {{"Folder", "フォルダー"},           {"File Folder", "ファイル フォルダー"},
                         {"Drive", "ドライブ"},              {"Shortcut", "ショートカット"},
                         {"Alias", "エイリアス"},            {"Unknown", "不明"}};
            for (const auto& k : kinds)
                if (std::strcmp(sourceText, k.source) == 0)
                    return QString::fromUtf8(k.japanese);
        }
        return text;
    }
    bool isEmpty() const override { return false; }
};

} // namespace

std::unique_ptr<QTranslator> loadQtTranslations()
{
    auto translator = std::make_unique<QtJapanese>();
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
