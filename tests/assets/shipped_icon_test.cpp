// The program's icon ships as one square PNG per size in the icon folder of
// the resource folder, and nothing else lies there.

#include "shell/catalogue_names.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

namespace {

QString iconFolder() { return QStringLiteral(TAPTRELL_PROGRAM_DIR "/resources/icon"); }

QString iconFile(int size) { return QStringLiteral("taptrell-%1.png").arg(size); }

TEST(ShippedIcon, EverySizeIsASquarePictureOfThatSize) {
    for (int size : catalogue_names::icon_sizes) {
        SCOPED_TRACE(size);
        const QImage image(QDir(iconFolder()).filePath(iconFile(size)), "PNG");
        ASSERT_FALSE(image.isNull()) << "missing or no PNG";
        EXPECT_EQ(image.size(), QSize(size, size));
        // A tile with rounded corners: the corner is (nearly) see-through, the middle is not.
        ASSERT_TRUE(image.hasAlphaChannel());
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 32);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
}

TEST(ShippedIcon, TheFolderHoldsTheSevenSizesAndNothingElse) {
    QStringList expected;
    for (int size : catalogue_names::icon_sizes) expected << iconFile(size);
    expected.sort();
    EXPECT_EQ(expected.size(), 7);
    EXPECT_EQ(QDir(iconFolder()).entryList(QDir::Files, QDir::Name), expected);
}

}  // namespace
