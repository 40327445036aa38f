#include "results/wholetickeditor.h"

#include <gtest/gtest.h>

TEST(WholeTickEditor, OnlyWholeTicksOrNothingReachTheCell) {
    const struct { const char* typed; std::optional<QString> cell; } cases[] = {
        {"120", QStringLiteral("120")}, {"-3", QStringLiteral("-3")},  {" 45 ", QStringLiteral("45")},
        {"007", QStringLiteral("7")},   {"-0", QStringLiteral("0")},   {"", QString()},
        {"12.5", std::nullopt},         {"-", std::nullopt},           {"1e3", std::nullopt},
        {"abc", std::nullopt},          {"1234567890", std::nullopt},  // more digits than any tick
    };
    for (const auto& c : cases) EXPECT_EQ(WholeTickEditor::cellText(QString::fromLatin1(c.typed)), c.cell) << c.typed;
}
