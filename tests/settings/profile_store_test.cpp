#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "FakeProfileStore.h"
#include "ProfileStore.h"

namespace korvath {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<int> expected;
};

TEST(ParseProfileInteger, FollowsTheSettingsFileRules) {
  const IntegerCase cases[] = {
      {"0", 0},
      {"198", 198},
      {"-40", -40},
      {"+7", 7},
      {"  12", 12},  // leading blanks
      {"0x20", 32},  // "0x" becomes "$"
      {"0X20", 32},
      {"$20", 32},
      {"x1f", 31},
      {"X1F", 31},
      {"-$10", -16},
      {"+x10", 16},
      {"007", 7},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"$7FFFFFFF", INT_MAX},
      {"-$80000000", INT_MIN},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"0x", std::nullopt},  // too short to be rewritten: "0" then "x"
      {"0X", std::nullopt},
      {"$", std::nullopt},
      {"-", std::nullopt},
      {"   ", std::nullopt},
      {"12 ", std::nullopt},  // nothing may follow the digits
      {"1.5", std::nullopt},
      {"- 1", std::nullopt},
      {" 0x20", std::nullopt},  // the rewrite only applies at the very start
      {"-0x20", std::nullopt},
      {"$-1", std::nullopt},
      {"$g", std::nullopt},
      {"2147483648", std::nullopt},  // out of range is no integer
      {"-2147483649", std::nullopt},
      {"$80000000", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"$FFFFFFFFFFFFFFFFFFFF", std::nullopt},
      {"00000000000000000000000000012", 12},
      {"\t1", std::nullopt},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(ParseProfileInteger(c.text), c.expected) << "text: \"" << c.text << "\"";
  }
}

TEST(ProfileStore, ReadIntegerFallsBackOnMissingOrInvalidText) {
  test::FakeProfileStore store;
  store.Set("Form", "Left", "abc");
  store.Set("Form", "Top", "0x20");
  EXPECT_EQ(store.ReadInteger("Form", "Left", 198), 198);
  EXPECT_EQ(store.ReadInteger("Form", "Top", 95), 32);
  EXPECT_EQ(store.ReadInteger("Form", "Missing", 95), 95);
  EXPECT_EQ(store.ReadInteger("Nowhere", "Top", -1), -1);
}

TEST(ProfileStore, ReadStringCutsLongValues) {
  test::FakeProfileStore store;
  store.Set("SetUp", "TopHst0", std::string(5000, 'a'));
  store.Set("SetUp", "TopHst1", std::string(kMaxProfileValueLength, 'b'));
  EXPECT_EQ(store.ReadString("SetUp", "TopHst0"), std::string(kMaxProfileValueLength, 'a'));
  EXPECT_EQ(store.ReadString("SetUp", "TopHst1").size(), kMaxProfileValueLength);
  EXPECT_EQ(store.ReadString("SetUp", "TopHst2"), "");
  // The length counts characters (UTF-16 units), never bytes, and a
  // character is never cut in two.
  std::string kanji;
  for (std::size_t i = 0; i < kMaxProfileValueLength; ++i) kanji += "表";
  store.Set("SetUp", "TopHst3", kanji);
  store.Set("SetUp", "TopHst4", "a" + kanji);
  EXPECT_EQ(store.ReadString("SetUp", "TopHst3"), kanji);
  EXPECT_EQ(store.ReadString("SetUp", "TopHst4"), "a" + kanji.substr(3));
}

TEST(ProfileStore, WriteIntegerWritesSignedDecimal) {
  test::FakeProfileStore store;
  ASSERT_TRUE(store.WriteInteger("Option", "FileCount", -1));
  EXPECT_EQ(store.ReadString("Option", "FileCount"), "-1");
  ASSERT_TRUE(store.WriteInteger("Form", "Left", INT_MIN));
  EXPECT_EQ(store.ReadString("Form", "Left"), "-2147483648");
}

}  // namespace
}  // namespace korvath
