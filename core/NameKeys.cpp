#include "NameKeys.h"

#include <array>
#include <cstdint>
#include <vector>

#include "FileNames.h"
#include "UpperCaseTable.h"
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

// The simple upper-case mapping as pages of 256 units, built once from the
// runs: one look-up per character on the per-keystroke path.
class UpperCasePages {
 public:
  UpperCasePages() {
    for (std::size_t i = 0; i < UpperCaseRunCount; ++i) {
      const UpperCaseRun& run = UpperCaseRuns[i];
      for (char32_t unit = run.First; unit <= run.Last; unit += run.Stride) {
        Page(unit >> 8)[unit & 0xFF] =
            static_cast<char16_t>(static_cast<std::int32_t>(unit) + run.Delta);
      }
    }
  }
  char32_t Upper(char32_t c) const {
    if (c > 0xFFFF) return c;
    const std::uint8_t page = pageOf_[c >> 8];
    if (page == 0) return c;
    const char16_t upper = pages_[page - 1][c & 0xFF];
    return upper != 0 ? upper : c;
  }

 private:
  std::array<char16_t, 256>& Page(char32_t high) {
    if (pageOf_[high] == 0) {
      pages_.emplace_back();
      pages_.back().fill(0);
      pageOf_[high] = static_cast<std::uint8_t>(pages_.size());
    }
    return pages_[pageOf_[high] - 1];
  }

  std::uint8_t pageOf_[256] = {};
  std::vector<std::array<char16_t, 256>> pages_;
};

// The key of the rest of a name from its first non-ASCII byte on.
void AppendFoldedRest(std::string& out, std::string_view name) {
  static const UpperCasePages pages;
  for (std::size_t pos = 0; pos < name.size();) {
    const unsigned char c = static_cast<unsigned char>(name[pos]);
    if (c < 0x80) {
      out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A')
                    : c == '/'           ? '\\'
                                         : static_cast<char>(c));
      ++pos;
      continue;
    }
    // A byte that starts no character is kept as it is, so that two
    // different texts never share a key; past the BMP nothing has case.
    const std::size_t length = CharLength(name, pos);
    if (length == 2 || length == 3) {
      const auto at = [&](std::size_t i) { return static_cast<char32_t>(name[pos + i] & 0x3F); };
      const char32_t code = length == 2
                                ? (static_cast<char32_t>(c & 0x1F) << 6) | at(1)
                                : (static_cast<char32_t>(c & 0x0F) << 12) | (at(1) << 6) | at(2);
      const char32_t upper = pages.Upper(code);
      if (upper != code) {
        AppendCodePoint(out, upper);
        pos += length;
        continue;
      }
    }
    out.append(name, pos, length);
    pos += length;
  }
}

}  // namespace

void AppendNameKey(std::string& out, std::string_view name) {
  // ASCII written in place: the preview keys every new name on every
  // keystroke, and most names are ASCII throughout.
  const std::size_t begin = out.size();
  const std::size_t size = name.size();
  out.resize(begin + size);
  char* key = out.data() + begin;
  for (std::size_t pos = 0; pos < size; ++pos) {
    const unsigned char c = static_cast<unsigned char>(name[pos]);
    if (c >= 0x80) {
      out.resize(begin + pos);
      AppendFoldedRest(out, name.substr(pos));
      return;
    }
    key[pos] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A')
               : c == '/'           ? '\\'
                                    : static_cast<char>(c);
  }
}

std::string NameKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  AppendNameKey(key, name);
  return key;
}

NameFit CheckNameFits(std::string_view name, std::size_t folderLength) {
  std::size_t stepBegin = 0;
  for (std::size_t pos = 0; pos <= name.size(); ++pos) {
    if (pos < name.size() && name[pos] != '\\' && name[pos] != '/') continue;
    const std::string_view step = name.substr(stepBegin, pos - stepBegin);
    if (step.empty() || step.back() == '.' || step.back() == ' ' || IsDeviceName(step)) {
      return NameFit::Unusable;
    }
    // A UTF-16 text is never longer than its UTF-8 bytes: most names are
    // measured without decoding them.
    if (step.size() > kLongestStep && Utf16Length(step) > kLongestStep) return NameFit::TooLong;
    stepBegin = pos + 1;
  }
  if (folderLength + 1 + name.size() > kLongestPath &&
      folderLength + 1 + Utf16Length(name) > kLongestPath) {
    return NameFit::TooLong;
  }
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
