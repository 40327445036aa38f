// Toolkit strings built by a plug-in: bytes kept as given, read as text in
// the encoding they were given in.

#include "platform/pluginhost_objects.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace platform::plugin;

TEST(HostStrings, TextIsReadInItsEncoding) {
    struct Case {
        const char* bytes;
        PluginTextEncoding encoding;
        QString text;
    };
    const Case cases[] = {
        {"Invalid device ID", PLUGIN_ENCODING_ASCII, QStringLiteral("Invalid device ID")},
        {"caf\xE9", PLUGIN_ENCODING_ASCII, QString("caf") + QChar(QChar::ReplacementCharacter)},
        {"caf\xE9 \x80 \x9F \x81", PLUGIN_ENCODING_WINDOWS_LATIN1, QString::fromUtf8("café € Ÿ \xC2\x81")},
        {"Fl\xC3\xBCgel", PLUGIN_ENCODING_UTF8, QString::fromUtf8("Flügel")},
    };
    for (const Case& c : cases) {
        ObjectRef string = ObjectRef::adopt(newString(c.bytes, std::strlen(c.bytes), c.encoding));
        EXPECT_EQ(stringText(string.get()), c.text) << c.bytes;
    }
    EXPECT_EQ(stringText(nullptr), "");
}

TEST(HostStrings, LockedBytesAreTheStoredBytesAndOutliveARelease) {
    const int64_t before = liveObjectCount();
    PluginObject* string = newString(QByteArray("\xF0\x00\xF7", 3));
    size_t length = 0;
    const char* bytes = lockString(string, &length);
    release(string);  // the lock still holds it
    ASSERT_EQ(length, 3u);
    EXPECT_EQ(std::memcmp(bytes, "\xF0\x00\xF7", 3), 0);
    EXPECT_EQ(bytes[3], '\0');
    EXPECT_EQ(liveObjectCount(), before + 1);
    unlockString(string);
    EXPECT_EQ(liveObjectCount(), before);
}

}  // namespace
