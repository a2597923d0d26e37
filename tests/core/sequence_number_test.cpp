#include "SequenceNumber.h"

#include <gtest/gtest.h>

namespace korvath {
namespace {

TEST(FormatSequenceNumber, PadsToTheDigitCountAndNeverShortens) {
  struct Case {
    int digits;
    std::int64_t number;
    bool fullWidth;
    std::string_view expected;
  };
  const Case cases[] = {
      {1, 0, false, "0"},
      {3, 7, false, "007"},
      {3, 7, true, "００７"},
      {2, 123, false, "123"},
      {10, 1, false, "0000000001"},
      {10, 999999999, false, "0999999999"},
      {5, 1000000000, false, "1000000000"},
      {10, 2000000000, false, "2000000000"},
      {1, 2147483647, false, "2147483647"},
      {4, 12, true, "００１２"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatSequenceNumber(c.digits, c.number, c.fullWidth), c.expected)
        << c.digits << " digits, " << c.number;
  }
}

TEST(FormatSequenceNumber, FullWidthDigitsAreUtf8) {
  // Literals are compiled to UTF-8; a wrong execution charset shows here.
  EXPECT_EQ(FormatSequenceNumber(3, 7, true), "\xEF\xBC\x90\xEF\xBC\x90\xEF\xBC\x97");
}

TEST(ToFullWidthDigits, WidensEveryCharacterOfTheTable) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"10", "１０"},
      {"1e+5", "１Ｅ＋５"},
      {"", ""},
      {"0123456789.eE+-", "０１２３４５６７８９．ＥＥ＋－"},
  };
  for (const auto& [text, expected] : cases) {
    const std::string wide = ToFullWidthDigits(text);
    EXPECT_EQ(wide, expected) << text;
    EXPECT_EQ(wide.size(), text.size() * 3) << text;
  }
  // The table's bytes, as the file names on disk will hold them.
  EXPECT_EQ(ToFullWidthDigits(".eE+-"),
            "\xEF\xBC\x8E\xEF\xBC\xA5\xEF\xBC\xA5\xEF\xBC\x8B\xEF\xBC\x8D");
}

TEST(ToFullWidthDigits, RefusesCharactersOutsideTheTable) {
  for (std::string_view text : {"1a", "x", " 1", "1,000", "１"}) {
    try {
      ToFullWidthDigits(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const std::runtime_error& error) {
      // The general error report catches it as any error and shows what().
      EXPECT_NE(dynamic_cast<const EConvertError*>(&error), nullptr);
      EXPECT_STREQ(error.what(), "変換できません");
    }
  }
}

}  // namespace
}  // namespace korvath
