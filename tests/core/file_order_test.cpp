// The file orders on keys built once per name, with stand-in
// collations (the platform's own is tested with the main window).

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "FileOrder.h"

namespace korvath {
namespace {

// ASCII letters without case; other bytes as they are.
class LowerCaseCollation : public TextCollation {
 public:
  void AppendKey(std::string_view text, std::string& key) const override {
    for (char c : text)
      key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
};

// The same order with a zero byte before every byte, as wide keys have.
class ZeroByteCollation : public TextCollation {
 public:
  void AppendKey(std::string_view text, std::string& key) const override {
    for (char c : text) {
      key.push_back('\0');
      key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
  }
};

std::vector<std::string> Sorted(FileOrder order, const std::vector<std::string>& names,
                                const TextCollation& collation,
                                const std::vector<std::uint64_t>& times = {}) {
  std::vector<std::string> sorted;
  for (std::size_t position : SortedPositions(order, names, times, collation)) {
    sorted.push_back(names[position]);
  }
  return sorted;
}

TEST(FileOrder, EachOrderOfTheSameFolder) {
  LowerCaseCollation collation;
  const std::vector<std::string> names = {"img10.jpg", "Img3.jpg", "img2.jpg", "img1.jpg",
                                          "img2.jpg"};
  const std::vector<std::uint64_t> times = {300, 100, 200, 300, 200};
  EXPECT_EQ(
      Sorted(FileOrder::Name, names, collation),
      (std::vector<std::string>{"img1.jpg", "img10.jpg", "img2.jpg", "img2.jpg", "Img3.jpg"}));
  EXPECT_EQ(
      Sorted(FileOrder::Natural, names, collation),
      (std::vector<std::string>{"img1.jpg", "img2.jpg", "img2.jpg", "Img3.jpg", "img10.jpg"}));
  EXPECT_EQ(
      Sorted(FileOrder::Date, names, collation, times),
      (std::vector<std::string>{"Img3.jpg", "img2.jpg", "img2.jpg", "img1.jpg", "img10.jpg"}));
  // Equal dates (a burst in one second, or no date but the same last write)
  // in the natural order.
  EXPECT_EQ(
      Sorted(FileOrder::ShootingDate, names, collation, times),
      (std::vector<std::string>{"Img3.jpg", "img2.jpg", "img2.jpg", "img1.jpg", "img10.jpg"}));
  EXPECT_EQ(Sorted(FileOrder::ShootingDate, {"b10.jpg", "b9.jpg", "a.jpg"}, collation,
                   {5, 5, 6}),
            (std::vector<std::string>{"b9.jpg", "b10.jpg", "a.jpg"}));
  // A name listed twice (two patterns) stays on adjacent lines in its input order.
  EXPECT_EQ(SortedPositions(FileOrder::Natural, names, {}, collation)[1], 2u);

  EXPECT_EQ(FileOrderFromValue(0), FileOrder::Name);
  EXPECT_EQ(FileOrderFromValue(1), FileOrder::Natural);
  EXPECT_EQ(FileOrderFromValue(2), FileOrder::Date);
  EXPECT_EQ(FileOrderFromValue(3), FileOrder::ShootingDate);
  EXPECT_EQ(FileOrderFromValue(4), FileOrder::Name);
  EXPECT_EQ(FileOrderFromValue(-1), FileOrder::Name);
}

TEST(FileOrder, NaturalOrderComparesDigitRunsAsNumbers) {
  // Each pair in natural order, first before second.
  const std::pair<std::string, std::string> pairs[] = {
      {"a2", "a10"},
      {"a", "a1"},             // the shorter name first
      {"a1", "ab"},            // a number before text at the same place
      {"x9y", "x10a"},         // the number decides before the text after it
      {"v1.2.10", "v1.10.2"},  // several runs
      {"B2", "b10"},           // letter case does not count
      {"file01", "file1"},     // equal values: more leading zeros first
      {"a00", "a0"},           // zero written with more zeros first
      {"file1x", "file01y"},   // leading zeros never outweigh the text after them
      {"a99999999999999999999", "a100000000000000000000"},  // beyond 64 bits
      {"写真２", "写真１０"},  // full-width digits, as the program writes them
      {"p1", "p１"},           // equal values: half-width first
      // Neighbours of the full-width digits in UTF-8 are text: ｐ (EF BD 90)
      // shares the last byte of ０ (EF BC 90), ／ and ： lie just outside it.
      {"aA", "aｐ"},
      {"aA", "a／"},
      {"aA", "a："},
      {"a20", "a１９９"},  // every full-width digit of a run counts
  };
  LowerCaseCollation lower;
  ZeroByteCollation zeroBytes;
  for (const TextCollation* collation :
       {static_cast<const TextCollation*>(&lower), static_cast<const TextCollation*>(&zeroBytes)}) {
    for (const auto& [first, second] : pairs) {
      EXPECT_EQ(Sorted(FileOrder::Natural, {second, first}, *collation),
                (std::vector<std::string>{first, second}))
          << first << " / " << second;
      EXPECT_EQ(Sorted(FileOrder::Natural, {first, second}, *collation),
                (std::vector<std::string>{first, second}))
          << first << " / " << second;
    }
  }
}

}  // namespace
}  // namespace korvath
