#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FileTypeFilter.h"
#include "JapaneseTexts.h"
#include "Texts.h"

namespace korvath {
namespace {

// The lines of the list of the texts before the table, "\n" and "\\"
// decoded; "# file" lines name where the texts below them came from.
std::vector<std::string> ListedTexts() {
  std::vector<std::string> texts;
  std::string_view list = kJapaneseTextsList;
  while (!list.empty()) {
    const std::size_t end = list.find('\n');
    const std::string_view line = list.substr(0, end);
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    if (line.empty() || line[0] == '#') continue;
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        text += line[++i] == 'n' ? '\n' : line[i];
      } else {
        text += line[i];
      }
    }
    texts.push_back(text);
  }
  return texts;
}

// Placeholders ("{1}", "{2:one|other}", and the old "%d") as one mark, so
// that a piece of a composed text is found in the pattern it became.
constexpr char kArgument = '\x01';
std::string WithMarks(std::string_view text) {
  std::string marked;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t close = text.find('}', i);
      if (close != std::string_view::npos) {
        marked += kArgument;
        i = close;
        continue;
      }
    }
    if (text.compare(i, 2, "%d") == 0) {
      marked += kArgument;
      ++i;
      continue;
    }
    marked += text[i];
  }
  return marked;
}

std::set<std::string> Placeholders(std::string_view text) {
  std::set<std::string> numbers;
  for (std::size_t open = text.find('{'); open != std::string_view::npos;
       open = text.find('{', open + 1)) {
    if (open + 1 < text.size() && text[open + 1] >= '1' && text[open + 1] <= '9') {
      numbers.insert(std::string(1, text[open + 1]));
    }
  }
  return numbers;
}

// Kana, kanji, the CJK punctuation and the full-width and half-width forms.
bool HasJapanese(std::string_view utf8) {
  for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if ((lead & 0xF0) != 0xE0) continue;
    const unsigned code = ((lead & 0x0F) << 12) |
                          ((static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6) |
                          (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
    if ((code >= 0x3000 && code <= 0x9FFF) || (code >= 0xFF00 && code <= 0xFFEF)) return true;
  }
  return false;
}

TEST(Texts, EveryIdHasBothLanguagesWithTheSameArguments) {
  for (int i = kTextNone + 1; i < kTextCount; ++i) {
    const TextId id = static_cast<TextId>(i);
    SCOPED_TRACE(std::string(TextName(id)));
    const std::string_view japanese = Text(id, Language::Japanese);
    const std::string_view english = Text(id, Language::English);
    EXPECT_FALSE(japanese.empty());
    EXPECT_FALSE(english.empty());
    EXPECT_FALSE(HasJapanese(english)) << english;
    // An English text may leave an argument out only where the Japanese
    // one does the same: the count of a rename's question is English only.
    const std::set<std::string> inJapanese = Placeholders(japanese);
    for (const std::string& n : inJapanese) {
      EXPECT_TRUE(Placeholders(english).count(n)) << "argument " << n << " lost in English";
    }
  }
}

TEST(Texts, NoJapaneseTextChangedSinceTheTable) {
  const std::vector<std::string> listed = ListedTexts();
  ASSERT_EQ(listed.size(), 144u) << "the list is made once, not edited";
  // Everything a Japanese user saw, as the table now composes it.
  std::vector<std::string> shown;
  for (int i = 0; i < kTextCount; ++i) {
    shown.push_back(WithMarks(Text(static_cast<TextId>(i), Language::Japanese)));
  }
  shown.push_back(BuildFilterFromUserMasks({}));
  for (const std::string& text : listed) {
    const std::string marked = WithMarks(text);
    bool found = false;
    for (const std::string& now : shown) found = found || now.find(marked) != std::string::npos;
    EXPECT_TRUE(found) << "no Japanese text holds \"" << text << "\" any more";
  }
}

TEST(Texts, JapaneseUntilTheUserLanguageSaysOtherwise) {
  EXPECT_EQ(CurrentLanguage(), Language::Japanese);
  EXPECT_EQ(Text(kTextMenuFile), "ファイル/&File");
  struct Case {
    unsigned short languageId;
    Language language;
  };
  const Case cases[] = {
      {0x0411, Language::Japanese},  // Japanese (Japan)
      {0x0011, Language::Japanese},  // Japanese, no region
      {0x0409, Language::English},   // English (United States)
      {0x0809, Language::English},   // English (United Kingdom)
      {0x0407, Language::English},   // German: English rather than Japanese
      {0x0412, Language::English},   // Korean
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.languageId);
    EXPECT_EQ(LanguageOf(c.languageId), c.language);
  }
  UseLanguage(Language::English);
  EXPECT_EQ(Text(kTextMenuFile), "&File");
  EXPECT_EQ(BuildFilterFromUserMasks({"*.log"}).substr(0, 20), "All Files (*.*)|*.*|");
  UseLanguage(Language::Japanese);
}

TEST(Texts, FormatFillsArgumentsAndEnglishPlurals) {
  struct Case {
    std::string_view pattern;
    std::vector<std::string> arguments;
    std::string expected;
  };
  const Case cases[] = {
      {"{1}個存在", {"12"}, "12個存在"},
      {"Rename {1} {1:file|files}?", {"1"}, "Rename 1 file?"},
      {"Rename {1} {1:file|files}?", {"12"}, "Rename 12 files?"},
      {"Rename {1} {1:file|files}?", {"0"}, "Rename 0 files?"},
      {"{2} {2:file|files} in\n{1}", {"C:\\a", "11"}, "11 files in\nC:\\a"},
      {"name{1:|s}", {"1"}, "name"},
      {"name{1:|s}", {"2"}, "names"},
      // Braces of the text itself, and an argument not given.
      {"{a} {0} {1", {"x"}, "{a} {0} {1"},
      {"[{3}]", {"x"}, "[]"},
      // An argument that itself looks like a placeholder stays as given.
      {"({1})", {"{2}"}, "({2})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern));
    std::vector<std::string_view> views(c.arguments.begin(), c.arguments.end());
    std::string text;
    switch (views.size()) {
      case 1:
        text = FormatText(c.pattern, {views[0]});
        break;
      case 2:
        text = FormatText(c.pattern, {views[0], views[1]});
        break;
    }
    EXPECT_EQ(text, c.expected);
  }
}

}  // namespace
}  // namespace korvath
