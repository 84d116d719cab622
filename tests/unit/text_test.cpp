// The conversion between the program's UTF-8 and the system's UTF-16.
#include <gtest/gtest.h>

#include "support/text.h"

namespace ostrel {
namespace {

// Every script a folder may be named in, an emoji (a surrogate pair) and a lone
// surrogate (a name the file system may hold) come back exactly; a byte that no UTF-8
// text holds becomes U+FFFD.
TEST(Text, EveryTextTheSystemHoldsComesBackExactly) {
    const std::u16string texts[] = {u"C:\\DATA",
                                    u"C:\\Моя папка",
                                    u"C:\\Σοφία ς",
                                    u"C:\\テスト",
                                    u"C:\\Jürgen\\é€ ทดสอบ",
                                    u"C:\\📁 Projekt",
                                    std::u16string{u'A', 0xD800, u'B'},
                                    {0xDC00},
                                    u""};
    for (const auto& text : texts) {
        EXPECT_EQ(toUtf16(toUtf8(text)), text);
    }
    EXPECT_EQ(toUtf8(u"é📁"), "\xC3\xA9\xF0\x9F\x93\x81");
    EXPECT_EQ(utf16Length("é📁"), 3u);
    EXPECT_EQ(toUtf16("A\x80"), u"A\uFFFD"); // a byte no UTF-8 text starts with
    EXPECT_EQ(firstChars("XÄ:\\=>", 3), "XÄ:");
    EXPECT_EQ(firstChars("é", 3), "é");
}

} // namespace
} // namespace ostrel
