#include "Texts.h"

#include <vector>

namespace korvath {

namespace {

struct TextRow {
  TextId Id;
  std::string_view Name;
  std::string_view Japanese;
  std::string_view English;
};

constexpr TextRow kTexts[] = {
#define KORVATH_TEXT(id, japanese, english) {id, #id, japanese, english},
#include "TextTable.h"
#undef KORVATH_TEXT
};

constexpr bool RowsInIdOrder() {
  for (std::size_t i = 0; i < std::size(kTexts); ++i) {
    if (kTexts[i].Id != i) return false;
  }
  return std::size(kTexts) == kTextCount;
}
static_assert(RowsInIdOrder(), "the table is indexed by its ids");

Language current = Language::Japanese;

bool IsDigit(char c) { return c >= '1' && c <= '9'; }

}  // namespace

void UseLanguage(Language language) { current = language; }

Language CurrentLanguage() { return current; }

Language LanguageOf(unsigned short languageId) {
  constexpr unsigned short kPrimaryMask = 0x3FF;  // PRIMARYLANGID
  constexpr unsigned short kJapanese = 0x11;      // LANG_JAPANESE
  return (languageId & kPrimaryMask) == kJapanese ? Language::Japanese : Language::English;
}

std::string_view Text(TextId id) { return Text(id, current); }

std::string_view Text(TextId id, Language language) {
  if (id >= kTextCount) return {};
  return language == Language::Japanese ? kTexts[id].Japanese : kTexts[id].English;
}

std::string_view TextName(TextId id) { return id < kTextCount ? kTexts[id].Name : "?"; }

std::string FormatText(TextId id, std::initializer_list<std::string_view> arguments) {
  return FormatText(Text(id), arguments);
}

std::string FormatText(std::string_view pattern,
                       std::initializer_list<std::string_view> arguments) {
  const std::vector<std::string_view> args(arguments);
  std::string text;
  text.reserve(pattern.size() + 16);
  std::size_t i = 0;
  while (i < pattern.size()) {
    const std::size_t open = pattern.find('{', i);
    if (open == std::string_view::npos) {
      text.append(pattern.substr(i));
      break;
    }
    const std::size_t close = pattern.find('}', open);
    if (close == std::string_view::npos || close - open < 2 || !IsDigit(pattern[open + 1]) ||
        (close - open > 2 && pattern[open + 2] != ':')) {
      text.append(pattern.substr(i, open + 1 - i));  // a brace of the text itself
      i = open + 1;
      continue;
    }
    text.append(pattern.substr(i, open - i));
    const std::size_t n = static_cast<std::size_t>(pattern[open + 1] - '1');
    const std::string_view argument = n < args.size() ? args[n] : std::string_view();
    if (close - open == 2) {
      text.append(argument);
    } else {
      // "{n:one|other}": both forms may be empty ("name{1:|s}").
      const std::string_view forms = pattern.substr(open + 3, close - open - 3);
      const std::size_t bar = forms.find('|');
      const std::string_view one = forms.substr(0, bar);
      const std::string_view other = bar == std::string_view::npos ? one : forms.substr(bar + 1);
      text.append(argument == "1" ? one : other);
    }
    i = close + 1;
  }
  return text;
}

}  // namespace korvath
