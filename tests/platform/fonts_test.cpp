// The faces the layouts name, in any letter case, and sizes in pixels or points.

#include "platform/fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

using platform::FontUnit;
using platform::namedFont;

QString shownFamily(const QFont& font) { return QFontInfo(font).family(); }

TEST(NamedFont, FaceNamesMatchInAnyLetterCase) {
    struct Case {
        const char* name;
        const char* family;
    };
    const Case cases[] = {
        {"Cooper Black", "DejaVu Serif"}, {"cooper black", "DejaVu Serif"}, {"COOPER STD BLACK", "DejaVu Serif"},
        {"Arial", "Liberation Sans"},     {"arial", "Liberation Sans"},     {"Helvetica", "Liberation Sans"},
        {"helvetica", "Liberation Sans"}, {"Arial Bold", "Liberation Sans"}, {"arial bold italic", "Liberation Sans"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shownFamily(namedFont(QString::fromLatin1(c.name), 14)), QString::fromLatin1(c.family));
    }
    EXPECT_EQ(namedFont(QStringLiteral("cooper black"), 14).weight(), QFont::Black);
    EXPECT_TRUE(namedFont(QStringLiteral("arial bold"), 14).bold());
    EXPECT_TRUE(namedFont(QStringLiteral("Arial Bold Italic"), 14).italic());
}

TEST(NamedFont, ASizeWithoutUnitIsInPixelsAndAPointSizeInPoints) {
    const QFont pixels = namedFont(QStringLiteral("Arial"), 40);
    EXPECT_EQ(pixels.pixelSize(), 40);
    const QFont points = namedFont(QStringLiteral("Helvetica"), 40, false, false, FontUnit::Point);
    EXPECT_EQ(points.pointSize(), 40);
    EXPECT_EQ(points.pixelSize(), -1) << "a point size is kept as such, for the device it is drawn on";
}

}  // namespace
