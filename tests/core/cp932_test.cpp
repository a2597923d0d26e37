#include "cp932.h"

#include <gtest/gtest.h>

namespace korvath {
namespace {

TEST(Cp932Scan, BackslashAsSecondByteIsNotADelimiter) {
  // 表 and ソ end in 0x5C; only the real backslash counts.
  EXPECT_EQ(FindLastDelimiter("dir\\表", "\\"), 3u);
  EXPECT_EQ(FindLastDelimiter("表ソ", "\\"), std::string_view::npos);
  EXPECT_EQ(FindFirstDelimiter("ソ|a|b", "|"), 2u);
  EXPECT_EQ(FindFirstDelimiter("ソ|a|b", "|", 3), 4u);
}

TEST(Cp932Scan, LoneLeadByteAtEndStandsAlone) {
  EXPECT_EQ(FindLastDelimiter(std::string_view("a.\x81", 3), "."), 1u);
  EXPECT_EQ(FindLastDelimiter("", "."), std::string_view::npos);
}

}  // namespace
}  // namespace korvath
