#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

using namespace platform;

TEST(Fonts, FacesDrawingsNameResolveToInstalledFonts)
{
    installFontSubstitutions();
    installFontSubstitutions(); // twice does no harm
    // In a Japanese locale fontconfig lists these as "IPAゴシック", "IPA明朝".
    ASSERT_TRUE(QFontDatabase::hasFamily(QStringLiteral("IPAGothic")));
    ASSERT_TRUE(QFontDatabase::hasFamily(QStringLiteral("IPAMincho")));
    struct Case {
        const char* face;
        const char* family;
    };
    for (Case c : {Case{"ＭＳゴシック", "IPAGothic"}, Case{"ＭＳ ゴシック", "IPAGothic"}, Case{"ＭＳ明朝", "IPAMincho"},
                   Case{"ＭＳ 明朝", "IPAMincho"}, Case{"ＭＳ Ｐゴシック", "IPAPGothic"},
                   Case{"ＭＳ Ｐ明朝", "IPAPMincho"}, Case{"MS Gothic", "IPAGothic"}}) {
        const QString face = QString::fromUtf8(c.face);
        EXPECT_EQ(substituteFamily(face), QString::fromUtf8(c.family)) << c.face;
        QFont font(face, 12);
        EXPECT_EQ(QFontInfo(font).family(), QFontInfo(QFont(QString::fromUtf8(c.family), 12)).family()) << c.face;
    }
    EXPECT_EQ(substituteFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
}

TEST(Fonts, FamilyListIsSortedAndUnique)
{
    const QStringList families = fontFamilies();
    ASSERT_FALSE(families.isEmpty());
    QStringList sorted = families;
    sorted.sort();
    sorted.removeDuplicates();
    EXPECT_EQ(families, sorted);
    EXPECT_EQ(families.filter(QStringLiteral(" [")), QStringList()); // no foundry tags
    // The faces drawings name most are offered under their own names, each
    // drawing with the installed Japanese font.
    for (const char* face : {"ＭＳゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝"}) {
        EXPECT_TRUE(families.contains(QString::fromUtf8(face))) << face;
    }
}
