#include "Utf8.h"

#include <gtest/gtest.h>

namespace korvath {
namespace {

TEST(Utf8, EveryKindOfNameRoundTripsThroughUtf16) {
  const std::u16string names[] = {
      u"a.txt", u"café.jpg", u"한글.txt", u"😀.txt", u"表ソ能.txt",
      // Lone surrogates are legal in Windows names and must come back as they were.
      std::u16string(u"x") + char16_t(0xD800) + u".txt",
      std::u16string(1, char16_t(0xDFFF)) + char16_t(0xD83D),
  };
  for (const std::u16string& name : names) {
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(name)), name);
  }
  EXPECT_EQ(Utf16ToUtf8(u"😀"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(u"é"), "\xC3\xA9");
}

TEST(Utf8, BrokenInputBecomesReplacementCharactersAndScansMoveOn) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFD" u"b");
  EXPECT_EQ(Utf8ToUtf16("\xE3\x81"), u"\uFFFD\uFFFD");   // cut short at the end
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");   // overlong "/"
  EXPECT_EQ(CharLength("\xE8\xA1\xA8", 0), 3u);
  EXPECT_EQ(CharLength("\xE8\xA1", 0), 1u);
  EXPECT_EQ(CodePointAt("😀", 0), U'😀');
}

TEST(Utf8, DelimitersAreFoundOnlyAsThemselves) {
  // In Shift-JIS 表 and ソ end in the byte of "\"; in UTF-8 no character does.
  EXPECT_EQ(FindLastDelimiter("dir\\表", "\\"), 3u);
  EXPECT_EQ(FindLastDelimiter("表ソ", "\\"), std::string_view::npos);
  EXPECT_EQ(FindFirstDelimiter("ソ|a|b", "|"), 3u);
  EXPECT_EQ(FindFirstDelimiter("ソ|a|b", "|", 4), 5u);
}

}  // namespace
}  // namespace korvath
