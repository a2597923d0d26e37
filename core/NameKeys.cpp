#include "NameKeys.h"

#include "FileNames.h"
#include "Utf8.h"

namespace korvath {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != b[i]) return false;
  }
  return true;
}

bool IsDeviceName(std::string_view step) {
  // The part before the first dot, trailing spaces aside, decides.
  std::string_view base = step.substr(0, step.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualsIgnoringAsciiCase(base, device)) return true;
  }
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9') {
    const std::string_view head = base.substr(0, 3);
    return EqualsIgnoringAsciiCase(head, "COM") || EqualsIgnoringAsciiCase(head, "LPT");
  }
  return false;
}

}  // namespace

void AppendNameKey(std::string& out, std::string_view name) {
  // Written in place: the preview keys every new name on every keystroke.
  const std::size_t begin = out.size();
  const std::size_t size = name.size();
  out.resize(begin + size);
  char* key = out.data() + begin;
  for (std::size_t pos = 0; pos < size;) {
    const unsigned char c = static_cast<unsigned char>(name[pos]);
    key[pos] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A')
               : c == '/'           ? '\\'
                                    : static_cast<char>(c);
    ++pos;
  }
}

std::string NameKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  AppendNameKey(key, name);
  return key;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++count;
  return count;
}

NameFit CheckNameFits(std::string_view name, std::size_t folderLength) {
  std::size_t stepBegin = 0;
  for (std::size_t pos = 0; pos <= name.size();) {
    if (pos == name.size() || name[pos] == '\\' || name[pos] == '/') {
      const std::string_view step = name.substr(stepBegin, pos - stepBegin);
      if (step.empty() || step.back() == '.' || step.back() == ' ' || IsDeviceName(step)) {
        return NameFit::Unusable;
      }
      stepBegin = ++pos;
      continue;
    }
    pos += CharLength(name, pos);
  }
  // MAX_PATH (260) holds the terminating zero too.
  if (folderLength + 1 + CharacterCount(name) > 259) return NameFit::TooLong;
  return NameFit::Fits;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string path(folder);
  // A drive's root already ends in "\".
  if (FindLastDelimiter(path, "\\") != path.size() - 1) path += '\\';
  path += name;
  return path;
}

}  // namespace korvath
