#include "FilterEntries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvath {
namespace {

struct ParseCase {
  const char* name;
  std::string filter;
  std::vector<std::string> descriptions;
  std::vector<std::string> masks;
};

class ParseFilterEntriesTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseFilterEntriesTest, ReadsDescriptionAndMaskInTurn) {
  const ParseCase& c = GetParam();
  FilterEntries entries = ParseFilterEntries(c.filter);
  EXPECT_EQ(entries.Descriptions, c.descriptions);
  EXPECT_EQ(entries.Masks, c.masks);
}

// In Shift-JIS "表" is 95 5C, "ソ" 83 5C and "ポ" 83 7C, whose second byte is
// the code of "|"; in UTF-8 no byte of such a character is ASCII.
INSTANTIATE_TEST_SUITE_P(
    Filters, ParseFilterEntriesTest,
    testing::Values(ParseCase{"TwoEntries", "A|a|B|b", {"A", "B"}, {"a", "b"}},
                    ParseCase{"DescriptionWithoutBarIsDropped", "A|a|B", {"A"}, {"a"}},
                    ParseCase{"ClosingBarAddsNothing", "A|a|B|b|", {"A", "B"}, {"a", "b"}},
                    ParseCase{"EmptyMask", "A||", {"A"}, {""}},
                    ParseCase{"EmptyDescription", "|x", {""}, {"x"}},
                    ParseCase{"NoBarAtAll", "A", {}, {}}, ParseCase{"Empty", "", {}, {}},
                    ParseCase{"LoneBar", "|", {""}, {""}},
                    ParseCase{"MaskOfSeveralPatterns",
                              "HTML文書 (*.htm;*.html)|*.htm;*.html",
                              {"HTML文書 (*.htm;*.html)"},
                              {"*.htm;*.html"}},
                    ParseCase{"JapaneseTextHoldsNoBar", "ポ|*.ポ|X|x", {"ポ", "X"}, {"*.ポ", "x"}},
                    ParseCase{"JapaneseTextHoldsNoBackslash", "表ソ|*.表|", {"表ソ"}, {"*.表"}},
                    ParseCase{"BarInsideMaskShiftsPairing",
                              "ユーザ定義1 (*.a|b)|*.a|b)|Z|z",
                              {"ユーザ定義1 (*.a", "*.a", "Z"},
                              {"b)", "b)", "z"}},
                    ParseCase{"AnyScript", "😀|*.😀|한글|*.한", {"😀", "한글"}, {"*.😀", "*.한"}},
                    ParseCase{"TrailingBrokenByteStandsAlone", "A|a|\xE3", {"A"}, {"a"}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(SplitMaskPatterns, SplitsAtEverySemicolonInOrder) {
  EXPECT_EQ(SplitMaskPatterns("*.txt;*.log"), (std::vector<std::string>{"*.txt", "*.log"}));
  EXPECT_EQ(SplitMaskPatterns("*.*"), (std::vector<std::string>{"*.*"}));
  EXPECT_EQ(SplitMaskPatterns(""), (std::vector<std::string>{}));
  EXPECT_EQ(SplitMaskPatterns("*.a;;*.b;"), (std::vector<std::string>{"*.a", "", "*.b", ""}));
}

TEST(SplitMaskPatterns, KeepsPatternsOfAnyScriptWhole) {
  EXPECT_EQ(SplitMaskPatterns("*.表;*.ソ;café*;*.😀"),
            (std::vector<std::string>{"*.表", "*.ソ", "café*", "*.😀"}));
}

}  // namespace
}  // namespace korvath
