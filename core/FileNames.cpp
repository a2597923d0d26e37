#include "FileNames.h"

#include "Texts.h"
#include "Utf8.h"

namespace korvath {
namespace {

// Position of the last ".", "\" or ":" (with dot only when wanted). No byte
// of a multi-byte UTF-8 character is ASCII, so a byte scan is a character scan.
std::size_t LastSeparator(std::string_view text, bool dot) {
  return text.find_last_of(dot ? std::string_view(".\\:") : std::string_view("\\:"));
}

}  // namespace

std::string_view ExtractExtension(std::string_view name) {
  const std::size_t pos = LastSeparator(name, true);
  if (pos == std::string_view::npos || name[pos] != '.') return {};
  return name.substr(pos);
}

std::string_view ExtractNamePart(std::string_view path) {
  const std::size_t pos = LastSeparator(path, false);
  if (pos == std::string_view::npos) return path;
  return path.substr(pos + 1);
}

}  // namespace korvath

namespace korvath {
namespace {

void AddBadCharacter(NewNameCheck& check, std::string_view shown) {
  // Kept as a space-separated list: "* ? |".
  std::string_view list = check.BadCharacters;
  std::size_t pos = 0;
  while (pos < list.size()) {
    std::size_t end = list.find(' ', pos);
    if (end == std::string_view::npos) end = list.size();
    if (list.substr(pos, end - pos) == shown) return;
    pos = end + 1;
  }
  if (!check.BadCharacters.empty()) check.BadCharacters += ' ';
  check.BadCharacters += shown;
}

// A step made only of dots and spaces with two dots or more: Windows trims
// trailing dots and spaces, so ".. " and "..." can climb like "..".
bool ClimbsUp(std::string_view step) {
  int dots = 0;
  for (char c : step) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

void CheckNewName(std::string_view name, NewNameCheck& check) {
  if (name.empty()) return;
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (name[0] == '\\' || name[0] == '/') check.LeavesFolder = true;
  const bool drive = name.size() >= 2 && isLetter(name[0]) && name[1] == ':';
  if (drive) check.LeavesFolder = true;

  std::size_t stepBegin = 0;
  for (std::size_t pos = 0; pos <= name.size();) {
    if (pos == name.size() || name[pos] == '\\' || name[pos] == '/') {
      if (ClimbsUp(name.substr(stepBegin, pos - stepBegin))) check.LeavesFolder = true;
      stepBegin = ++pos;
      continue;
    }
    const std::size_t length = CharLength(name, pos);
    if (length == 1) {
      const unsigned char c = static_cast<unsigned char>(name[pos]);
      if (c < 0x20) {
        AddBadCharacter(check, Text(kTextControlCharacters));
      } else if (c == ':') {
        if (!(drive && pos == 1)) AddBadCharacter(check, ":");
      } else if (c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"') {
        AddBadCharacter(check, std::string_view(&name[pos], 1));
      }
    }
    pos += length;
  }
}

}  // namespace korvath
