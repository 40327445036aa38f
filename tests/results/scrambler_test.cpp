// The scrambler's tables are frozen: these vectors were worked out by hand
// from them, and every saved file depends on them.

#include "platform/exceptions.h"
#include "platform/text.h"
#include "results/scrambler.h"

#include <QSet>
#include <gtest/gtest.h>

using scrambler::decpw;
using scrambler::encpw;

TEST(Scrambler, GoldenVectors) {
    const struct { const char* text; int64_t p; const char* line; } cases[] = {
        {"42", 0, "5B292B"},
        {"notmidi", 3, "9E65575C60526C5C684A5D"},
        {"", 9, "3F566D47687050634F6B"},
        {"87.5", 5, "0C6260446C65371D222F"},
        {"rep", 1, "B2605F6359"},
        {"-0.25", 7, "7A4A6650735C59661827102E26"},
        {"9223372036854775807", 2, "29546C222D24162B2631162730232C1633281A2E1E35"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encpw(QString::fromLatin1(c.text), c.p), c.line) << c.text << " p=" << c.p;
        EXPECT_EQ(decpw(QString::fromLatin1(c.line), 0), c.text) << c.line;
    }
}

TEST(Scrambler, EveryLineTheFileWritesRoundTripsAtEveryPrefix) {
    const char* lines[] = {"0", "9223372036854775807", "88.88889", "-0.25", "1e-07", "1.234568e+15", "100",
                           "midi", "notmidi", "lp", "notlp", "pmn", "notpmn", "nf", "rep", "norep", "80", "20"};
    for (const char* line : lines)
        for (int64_t p = 0; p <= 9; ++p) {
            const QString scrambled = encpw(QString::fromLatin1(line), p);
            EXPECT_EQ(decpw(scrambled, 0), line) << line << " p=" << p;
            // Hexadecimal digits only, so the file holds no blank or line break.
            for (const QChar ch : scrambled) EXPECT_TRUE(QStringLiteral("0123456789ABCDEF").contains(ch)) << scrambled.toStdString();
        }
}

TEST(Scrambler, EveryCharacterFromBlankTo255RoundTripsAtEveryPosition) {
    // Each character in turn at each position 1..40 of the text, for every
    // prefix length: all offsets of the table's varying part are met.
    for (int64_t p = 0; p <= 9; ++p)
        for (int position = 0; position < 40; ++position)
            for (uint code = 32; code <= 255; ++code) {
                QString text(position + 1, QLatin1Char('x'));
                text[position] = QChar(char16_t(code));
                ASSERT_EQ(decpw(encpw(text, p), 0), text) << "code " << code << " at " << position << " p=" << p;
            }
}

TEST(Scrambler, TabComesBackAsABlank) { EXPECT_EQ(decpw(encpw(QStringLiteral("a\tb"), 4), 0), "a b"); }

TEST(Scrambler, TheDrawnPrefixVariesAndAlwaysReadsBack) {
    QSet<QString> forms;
    for (int i = 0; i < 300; ++i) {
        const QString line = encpw(QStringLiteral("notlp"));
        EXPECT_EQ(decpw(line), "notlp");
        forms.insert(line);
    }
    EXPECT_GT(forms.size(), 5);  // ten forms in all; 300 draws meet most of them
    EXPECT_LE(forms.size(), 10);
}

TEST(Scrambler, DecodingLinesItDidNotWrite) {
    const struct { const char* line; int64_t fallback; const char16_t* text; } cases[] = {
        {"", 4, u""},                           // empty line, whatever the fallback
        {"5B", 0, u""},                         // p = 0 and no pairs
        {"9E6557", 0, u""},                     // p = 3 needs at least 9 characters
        {"5B29", 0, u"4"},                      // one pair
        {"5B292", 0, u"4\t"},                   // odd length: the last digit reads alone (2 + 7)
        {"5Bzz2B", 0, u"\x0b" u"2"},            // a pair with no hexadecimal digit reads as 0
        {"9QZZZZZZ60526C5C684A5D", 0, u"notmidi"},  // the second character and the filler are never read
        {"FFFFFFFFFFFFFFFFFFFFFFFF", 0, u"\u0109"},  // symbol 10: p = 10, which the writer never uses
        {"ZZ292B", 0, u"42"},                   // a foreign first character: the fallback prefix
        {"ZZ292B", 1, u">"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decpw(QString::fromLatin1(c.line), c.fallback), QString::fromUtf16(c.text)) << c.line << " " << c.fallback;
}

TEST(Scrambler, LineLengthIsBoundedByTheOffsetTable) {
    EXPECT_NO_THROW(encpw(QString(282, QLatin1Char('a')), 9));
    EXPECT_NO_THROW(encpw(QString(300, QLatin1Char('a')), 0));
    EXPECT_THROW(encpw(QString(283, QLatin1Char('a')), 9), platform::OutOfBoundsException);
    EXPECT_THROW(encpw(QString(301, QLatin1Char('a')), 0), platform::OutOfBoundsException);
    EXPECT_THROW(decpw(QStringLiteral("5B") + QString(602, QLatin1Char('4')), 0), platform::OutOfBoundsException);
}
