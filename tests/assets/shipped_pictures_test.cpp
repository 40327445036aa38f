// Every picture the catalogue fetches must be a PNG in the resource folder
// beside the program that loads, and must fit the place the program draws it
// in: a rhythm-group figure drawn at a quarter size may be no wider than its
// width figure (or it overlaps the next group) and must end above the bottom
// of the notation canvas; a button face must fit its button.

#include "shell/catalogue_names.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <ostream>
#include <string>
#include <string_view>

namespace {

QString picture_path(std::string_view name) {
  return QString::fromStdString(std::string(TAPTRELL_PROGRAM_DIR) + "/resources/" + std::string(name) + ".png");
}

std::string test_name(std::string_view name) { return std::string(name); }

class ShippedPicture : public testing::TestWithParam<std::string_view> {};

TEST_P(ShippedPicture, LoadsAsPng) {
  const QImage image(picture_path(GetParam()), "PNG");
  ASSERT_FALSE(image.isNull()) << picture_path(GetParam()).toStdString() << " is missing or no PNG";
  EXPECT_GT(image.width(), 0);
  EXPECT_GT(image.height(), 0);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ShippedPicture, testing::ValuesIn(catalogue_names::pictures),
                         [](const auto& tested) { return test_name(tested.param); });

// The largest size each picture may have where it is shown.
struct Place {
  std::string_view name;
  int max_width;
  int max_height;
};

// The canvas draws a figure's top at y 100 of its 231 rows at a quarter size.
constexpr int kFigureHeight = (231 - 100) * 4;

// Rhythm-group figures: the width figure of their group.
constexpr Place kFigurePlaces[] = {
    {"crot", 201, kFigureHeight}, {"CR", 266, kFigureHeight}, {"quav", 286, kFigureHeight},
    {"sniff", 288, kFigureHeight}, {"semi", 430, kFigureHeight}, {"saus", 356, kFigureHeight},
    {"wood", 364, kFigureHeight}, {"dobe", 304, kFigureHeight}, {"trip", 405, kFigureHeight},
    {"cq", 353, kFigureHeight}, {"dqsq", 350, kFigureHeight}, {"rtrip", 413, kFigureHeight},
    {"ssssss", 638, kFigureHeight}, {"ssqq", 420, kFigureHeight}, {"ssssq", 516, kFigureHeight},
    {"qssss", 510, kFigureHeight}, {"eef", 363, kFigureHeight}, {"rttt", 414, kFigureHeight},
    {"rqs", 353, kFigureHeight}, {"sddss", 435, kFigureHeight}, {"ddddss", 495, kFigureHeight},
    {"sdddds", 495, kFigureHeight}, {"sssss", 457, kFigureHeight}, {"ssrss", 457, kFigureHeight},
    {"sssrs", 463, kFigureHeight}};

constexpr Place kControlPlaces[] = {
    // main-window buttons
    {"go", 173, 76}, {"stop", 173, 76}, {"repeat", 173, 76},
    {"options", 141, 65}, {"optionslight", 141, 65}, {"results", 141, 65}, {"resultslight", 141, 65},
    {"help", 117, 46}, {"newtest", 123, 32},
    // the results window's replay button
    {"play", 89, 45}, {"smallstop", 89, 45},
    // the options window's level buttons and time-signature canvases
    {"l1", 121, 51}, {"l1t", 167, 51}, {"l2", 270, 46}, {"l3", 121, 51}, {"l4", 136, 51},
    {"l5", 325, 51}, {"l6", 167, 51}, {"l7", 230, 51}, {"l8", 230, 59},
    {"t24", 38, 63}, {"t34", 38, 63}, {"t44", 38, 63}, {"t54", 38, 63}};

void PrintTo(const Place& place, std::ostream* os) {
  *os << place.name << " (at most " << place.max_width << " x " << place.max_height << ")";
}

class PicturePlace : public testing::TestWithParam<Place> {};

TEST_P(PicturePlace, FitsWhereItIsDrawn) {
  const Place& place = GetParam();
  const QImage image(picture_path(place.name), "PNG");
  ASSERT_FALSE(image.isNull()) << place.name;
  EXPECT_LE(image.width(), place.max_width) << place.name;
  EXPECT_LE(image.height(), place.max_height) << place.name;
}

INSTANTIATE_TEST_SUITE_P(Figures, PicturePlace, testing::ValuesIn(kFigurePlaces),
                         [](const auto& tested) { return test_name(tested.param.name); });
INSTANTIATE_TEST_SUITE_P(Controls, PicturePlace, testing::ValuesIn(kControlPlaces),
                         [](const auto& tested) { return test_name(tested.param.name); });

// The backdrop and the cover fill the notation canvas exactly: the cover is
// drawn at (0, 0) at its own size over the whole backdrop.
TEST(NotationCanvasPictures, FillTheCanvas) {
  for (std::string_view name : {"canvasback", "cover"}) {
    const QImage image(picture_path(name), "PNG");
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size().width(), 725) << name;
    EXPECT_EQ(image.size().height(), 231) << name;
  }
}

// A figure is drawn over the backdrop's staff line; the backdrop must show
// through wherever the figure has no ink, or a figure would blank the line.
TEST(NotationCanvasPictures, FiguresAreTransparentAroundTheirNotes) {
  for (const Place& place : kFigurePlaces) {
    const std::string_view name = place.name;
    const QImage image(picture_path(name), "PNG");
    ASSERT_FALSE(image.isNull()) << name;
    ASSERT_TRUE(image.hasAlphaChannel()) << name;
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, 0)), 0) << name;
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0) << name;
  }
}

}  // namespace
