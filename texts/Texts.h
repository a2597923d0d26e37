#pragma once
// The program's texts by what each is for (kTextConfirmRename), in the
// language chosen at start-up: Japanese on a Japanese Windows, English on
// any other. The texts themselves are the rows of TextTable.h.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace korvath {

enum TextId : unsigned short {
#define KORVATH_TEXT(id, japanese, english) id,
#include "TextTable.h"
#undef KORVATH_TEXT
  kTextCount
};

enum class Language { Japanese, English };

// Japanese until UseLanguage says otherwise: the portable tests and the
// window tests read the texts Japanese users see.
void UseLanguage(Language language);
Language CurrentLanguage();

// A Windows language identifier (LANGID) to the program's language: its
// primary language Japanese (0x11) or anything else.
Language LanguageOf(unsigned short languageId);

// The text in the current language, or in the one given.
std::string_view Text(TextId id);
std::string_view Text(TextId id, Language language);

// The text with "{n}" replaced by argument n (counted from 1) and
// "{n:one|other}" by "one" when argument n is "1", else by "other".
std::string FormatText(TextId id, std::initializer_list<std::string_view> arguments);
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// A text named by a constant of its own (the core's CollisionText) and read
// where it is used, in the language of that moment: a constant made before
// the start-up picks the language does not fix it.
struct TextRef {
  TextId Id;
  operator std::string_view() const { return Text(Id); }
  friend bool operator==(TextRef ref, std::string_view text) { return Text(ref.Id) == text; }
};

// The id's name as written in the table ("kTextConfirmRename"), for the
// tests' messages.
std::string_view TextName(TextId id);

}  // namespace korvath
