#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace platform {

namespace {

struct Face {
    const char* name;
    bool proportional;
    bool mincho;
};

// Each face in the spellings drawings use: full- and half-width "MS", with
// and without a (full- or half-width) space, in Japanese and in English.
const Face knownFaces[] = {
    {"ＭＳゴシック", false, false},  {"ＭＳ ゴシック", false, false}, {"ＭＳ　ゴシック", false, false},
    {"MSゴシック", false, false},    {"MS ゴシック", false, false},   {"MS Gothic", false, false},
    {"ＭＳ明朝", false, true},       {"ＭＳ 明朝", false, true},      {"ＭＳ　明朝", false, true},
    {"MS明朝", false, true},         {"MS 明朝", false, true},        {"MS Mincho", false, true},
    {"ＭＳＰゴシック", true, false}, {"ＭＳ Ｐゴシック", true, false}, {"ＭＳ　Ｐゴシック", true, false},
    {"MS Pゴシック", true, false},   {"MS PGothic", true, false},     {"ＭＳ Ｐ明朝", true, true},
    {"ＭＳＰ明朝", true, true},      {"ＭＳ　Ｐ明朝", true, true},    {"MS P明朝", true, true},
    {"MS PMincho", true, true},      {"MS UI Gothic", true, false},   {"ＭＳ ＵＩゴシック", true, false},
    {"メイリオ", true, false},       {"Meiryo", true, false},         {"游ゴシック", true, false},
    {"游明朝", true, true},
};

QString ipaFamily(bool proportional, bool mincho)
{
    if (mincho) {
        return proportional ? QStringLiteral("IPAPMincho") : QStringLiteral("IPAMincho");
    }
    return proportional ? QStringLiteral("IPAPGothic") : QStringLiteral("IPAGothic");
}

// Whether a family is installed under this name or one of its other names
// (fontconfig lists "IPAゴシック" rather than "IPAGothic" in a Japanese locale).
bool installed(const QString& family)
{
    return QFontDatabase::hasFamily(family);
}

// The installed family to use for an IPA face, falling back to its sibling.
QString installedIpa(bool proportional, bool mincho)
{
    for (bool p : {proportional, !proportional}) {
        QString f = ipaFamily(p, mincho);
        if (installed(f)) {
            return f;
        }
    }
    QString other = ipaFamily(proportional, !mincho);
    return installed(other) ? other : ipaFamily(proportional, mincho);
}

// The faces drawings name most, offered in the font lists under these names.
const Face listedFaces[] = {
    {"ＭＳゴシック", false, false},
    {"ＭＳ Ｐゴシック", true, false},
    {"ＭＳ 明朝", false, true},
    {"ＭＳ Ｐ明朝", true, true},
};

// A family name without the foundry Qt adds when two foundries make a family
// of the same name ("C059 [UKWN]").
QString withoutFoundry(const QString& family)
{
    if (family.endsWith(u']')) {
        qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
        if (open > 0) {
            return family.left(open);
        }
    }
    return family;
}

QStringList installedFamilies()
{
    QStringList families;
    for (const QString& f : QFontDatabase::families()) {
        families << withoutFoundry(f);
    }
    families.removeDuplicates();
    return families;
}

} // namespace

QString substituteFamily(const QString& face)
{
    QString trimmed = face.trimmed();
    for (const Face& f : knownFaces) {
        if (trimmed.compare(QString::fromUtf8(f.name), Qt::CaseInsensitive) == 0) {
            return installedIpa(f.proportional, f.mincho);
        }
    }
    return face;
}

void installFontSubstitutions()
{
    const QStringList families = installedFamilies();
    for (const Face& f : knownFaces) {
        QString name = QString::fromUtf8(f.name);
        if (families.contains(name)) {
            continue; // the real face is installed
        }
        QString target = installedIpa(f.proportional, f.mincho);
        if (!QFont::substitutes(name).contains(target)) {
            QFont::insertSubstitution(name, target);
        }
    }
}

QStringList fontFamilies()
{
    QStringList families = installedFamilies();
    for (const Face& f : listedFaces) {
        QString name = QString::fromUtf8(f.name);
        if (!families.contains(name) && installed(ipaFamily(f.proportional, f.mincho))) {
            families << name;
        }
    }
    families.sort();
    families.removeDuplicates();
    return families;
}

} // namespace platform
