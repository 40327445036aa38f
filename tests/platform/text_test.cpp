#include "platform/text.h"
#include "support/commalocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;

TEST(TextConversions, WholeNumbers) {
    EXPECT_EQ(Str(int64_t(0)), "0");
    EXPECT_EQ(Str(int64_t(-12)), "-12");
    EXPECT_EQ(Str(3600 / int64_t(40)), "90");
    EXPECT_EQ(Str(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

namespace {

void realNumbersKeepSevenSignificantDigits() {
    const struct { double value; const char* text; } cases[] = {
        {0.0, "0"}, {-5.0, "-5"}, {87.5, "87.5"}, {100.0, "100"}, {1.0 / 3.0, "0.3333333"},
        {66.666666666, "66.66667"}, {-0.25, "-0.25"}, {1234567.8, "1234568"}, {1e30, "1e+30"}, {-2.5e-7, "-2.5e-07"},
    };
    for (const auto& c : cases) EXPECT_EQ(Str(c.value), c.text) << c.value;
}

void valReadsTheLeadingNumber() {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const struct { const char* text; double value; } cases[] = {
        {"", 0}, {"nf", 0}, {"42", 42}, {"  -12", -12}, {"+7", 7}, {"3.75", 3.75}, {".5", 0.5},
        {"12abc", 12}, {"1e3", 1000}, {"2e", 2}, {"-", 0}, {".", 0}, {"0x10", 0}, {"87.5%", 87.5},
        {"66.66667", 66.66667}, {"66,66667", 66},  // a comma ends the number
        {"1e999", infinity}, {"-1e999", -infinity}, {"0.0001e400", infinity}, {"1e-400", 0}, {"-1e-400", 0},
        {"12345678901234567890e-350", 0}, {"0.001e310", 1e307},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.value) << c.text;
}

void hashHashFormatShowsAtMostTwoDecimals() {
    const struct { double value; const char* text; } cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {0.001, "0"}, {100.0, "100"}, {87.5, "87.5"}, {66.666666, "66.67"},
        {33.333333, "33.33"}, {12.10, "12.1"}, {0.999, "1"}, {-2.5, "-2.5"}, {99.996, "100"}, {88.888888, "88.89"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatHashHash(c.value), c.text) << c.value;
}

}  // namespace

TEST(TextConversions, RealNumbersKeepSevenSignificantDigits) { realNumbersKeepSevenSignificantDigits(); }

TEST(TextConversions, ValReadsTheLeadingNumber) { valReadsTheLeadingNumber(); }

TEST(TextConversions, IntegerConversionTruncatesAndSaturates) {
    EXPECT_EQ(ValInteger("12.9"), 12);
    EXPECT_EQ(ValInteger("-12.9"), -12);
    EXPECT_EQ(ValInteger("99999999999999999999999"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(ValInteger("-99999999999999999999999"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(truncateToInteger(std::nan("")), 0);
    EXPECT_EQ(truncateToInteger(-std::numeric_limits<double>::infinity()), std::numeric_limits<int64_t>::min());
}

TEST(TextConversions, HashHashFormatShowsAtMostTwoDecimals) { hashHashFormatShowsAtMostTwoDecimals(); }

// The C library's locale, which the toolkit sets from the environment at
// start-up, must change none of the texts.
TEST(TextConversions, ADecimalCommaLocaleChangesNothing) {
    CommaLocale comma;
    ASSERT_TRUE(comma.active());
    realNumbersKeepSevenSignificantDigits();
    valReadsTheLeadingNumber();
    hashHashFormatShowsAtMostTwoDecimals();
    EXPECT_EQ(Val(Str(200.0 / 3.0)), 66.66667);
}

TEST(TextConversions, HexadecimalTextAndBack) {
    const struct { int64_t value; const char* text; } cases[] = {
        {0, "0"}, {9, "9"}, {10, "A"}, {15, "F"}, {16, "10"}, {255, "FF"}, {4096, "1000"},
        {-1, "FFFFFFFFFFFFFFFF"}, {-16, "FFFFFFFFFFFFFFF0"},
        {std::numeric_limits<int64_t>::max(), "7FFFFFFFFFFFFFFF"},
        {std::numeric_limits<int64_t>::min(), "8000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(c.value), c.text) << c.value;
        EXPECT_EQ(HexVal(QString::fromLatin1(c.text)), c.value) << c.text;
    }
}

TEST(TextConversions, HexValReadsLeadingDigitsOnly) {
    const struct { const char* text; int64_t value; } cases[] = {
        {"", 0}, {"ff", 255}, {"0A", 10}, {"7", 7}, {"G1", 0}, {"1G", 1}, {" 1", 0}, {"-1", 0},
        {"12345678901234567", -1},  // 17 digits saturate at all ones
    };
    for (const auto& c : cases) EXPECT_EQ(HexVal(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(TextConversions, CharacterCodesCountWholeCharacters) {
    const struct { int64_t code; const char16_t* text; } cases[] = {
        {32, u" "}, {65, u"A"}, {233, u"\u00e9"}, {0x20AC, u"\u20ac"}, {0x1F3B5, u"\U0001F3B5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Chr(c.code), QString::fromUtf16(c.text)) << c.code;
        EXPECT_EQ(Asc(QString::fromUtf16(c.text) + QStringLiteral("xyz")), c.code) << c.code;
    }
    EXPECT_EQ(Asc(QString()), 0);
    for (int64_t bad : {int64_t(-1), int64_t(0xD800), int64_t(0x110000)}) EXPECT_TRUE(Chr(bad).isEmpty()) << bad;
}
