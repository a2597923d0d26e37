#include "Win32ProfileStore.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <unordered_map>

#include "CodePages.h"
#include "Handles.h"
#include "NameKeys.h"
#include "RenameRun.h"
#include "WideText.h"

namespace korvath {
namespace {

// A missing file is never handed to the profile functions for a section:
// Wine 8 then adds one more cache entry for it at each call and, some ten
// calls on, crashes. And under Wine every lookup of a name that does not
// exist scans its whole folder: with 100,000 files each read of a missing
// settings file costs about 0.1 s, and start-up reads dozens of keys. A file found missing is read as
// empty without asking again for as long as its folder's last-write time
// says that nothing has been created there since. A folder changed within
// the last seconds is not trusted: a file system's clock ticks coarsely, and
// a file created in the same tick would leave the time as it was.
struct MissingFile {
  std::string path;
  FILETIME folderWritten{};
};
MissingFile knownMissing;

bool FolderWriteTime(const std::string& path, FILETIME& written) {
  const std::size_t slash = path.rfind('\\');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(folder).c_str(), GetFileExInfoStandard, &data)) return false;
  written = data.ftLastWriteTime;
  return true;
}

bool KnownToBeMissing(const std::string& path) {
  FILETIME written{};
  const bool folderRead = FolderWriteTime(path, written);
  if (folderRead && path == knownMissing.path &&
      CompareFileTime(&written, &knownMissing.folderWritten) == 0) {
    return true;
  }
  if (GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER nowTicks{{now.dwLowDateTime, now.dwHighDateTime}};
  ULARGE_INTEGER writtenTicks{{written.dwLowDateTime, written.dwHighDateTime}};
  constexpr unsigned long long kSettled = 2 * 10000000ull;  // 2 s in 100 ns ticks
  if (folderRead && writtenTicks.QuadPart + kSettled < nowTicks.QuadPart) {
    knownMissing = {path, written};
  }
  return true;
}
}  // namespace

namespace {
struct SectionLine {
  std::string Key;  // the whole line when it holds no "="
  std::string Value;
  bool HasValue = false;
};

// Blanks around a key or value do not count, as in a lookup by key.
std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Every line of a section as the profile API gives it, "key=value" or a
// line without "="; a missing file or section gives none.
std::vector<SectionLine> ReadSectionLines(const std::string& path, const std::string& section) {
  std::vector<char> buffer(32768);
  DWORD length = 0;
  for (;;) {
    length = GetPrivateProfileSectionA(section.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), path.c_str());
    // A full buffer reports its size minus two: read again with more room.
    if (length + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::vector<SectionLine> lines;
  for (std::size_t at = 0; at < length && buffer[at] != '\0';) {
    std::string line(&buffer[at]);
    at += line.size() + 1;
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      lines.push_back({line, {}, false});
    } else {
      lines.push_back({Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), true});
    }
  }
  return lines;
}

// Key names compare ignoring case, as the profile API compares them; the
// keys looked up are ASCII. First occurrence wins, as a lookup by key finds.
std::string KeyIndexName(std::string key) {
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

std::unordered_map<std::string, std::size_t> IndexByKey(const std::vector<SectionLine>& lines) {
  std::unordered_map<std::string, std::size_t> index;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].HasValue) index.emplace(KeyIndexName(lines[i].Key), i);
  }
  return index;
}

bool TakesWrites(const std::string& path) {
  const OwnedFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

// A value read by key loses one pair of matching quotes around it.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}
}  // namespace

bool Win32ProfileStore::CanHold(std::string_view text) const { return ShiftJisHolds(text); }

const std::string* Win32ProfileStore::AnsiPath() {
  if (!ansiPath_.empty()) return &ansiPath_;
  // A settings file larger than any the program writes was put there by
  // someone else: the profile functions would read it whole at every call.
  // It is neither read nor written; the save at closing says so.
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!KnownToBeMissing(path_) &&
      GetFileAttributesExW(Widen(path_).c_str(), GetFileExInfoStandard, &data) &&
      ((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) >
          kLargestWholeFile) {
    return nullptr;
  }
  // The profile functions take the path in the ANSI code page; a path that
  // code page cannot spell goes by its short (8.3) form, whose names are
  // plain ASCII where the volume makes them.
  if (std::optional<std::string> plain = Encoded(path_, CP_ACP)) {
    ansiPath_ = std::move(*plain);
  } else {
    const std::size_t slash = path_.rfind('\\');
    const std::string folder = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    const std::wstring longFolder = Widen(folder);
    std::wstring shortFolder(GetShortPathNameW(longFolder.c_str(), nullptr, 0), L'\0');
    const DWORD length = GetShortPathNameW(longFolder.c_str(), shortFolder.data(),
                                           static_cast<DWORD>(shortFolder.size()));
    if (length == 0 || length >= shortFolder.size()) return nullptr;
    shortFolder.resize(length);
    std::optional<std::string> shortPath = Encoded(JoinPath(Narrow(shortFolder), name), CP_ACP);
    if (!shortPath) return nullptr;
    ansiPath_ = std::move(*shortPath);
  }
  return &ansiPath_;
}

std::string Win32ProfileStore::ReadRaw(const std::string& section, const std::string& key) {
  const std::string* path = AnsiPath();
  if (!path || KnownToBeMissing(path_)) return "";
  const std::optional<std::string> sectionBytes = ToShiftJis(section);
  const std::optional<std::string> keyBytes = ToShiftJis(key);
  if (!sectionBytes || !keyBytes) return "";
  char buffer[kMaxProfileValueLength + 1] = {};
  DWORD length = GetPrivateProfileStringA(sectionBytes->c_str(), keyBytes->c_str(), "", buffer,
                                          static_cast<DWORD>(sizeof(buffer)), path->c_str());
  // The API cuts long values itself; never trust the count beyond the text.
  length =
      static_cast<DWORD>(strnlen(buffer, length < sizeof(buffer) ? length : sizeof(buffer) - 1));
  return FromShiftJis(std::string_view(buffer, length), false).value_or("");
}

bool Win32ProfileStore::WriteString(const std::string& section, const std::string& key,
                                    const std::string& value) {
  const std::string* path = AnsiPath();
  const std::optional<std::string> sectionBytes = ToShiftJis(section);
  const std::optional<std::string> keyBytes = ToShiftJis(key);
  const std::optional<std::string> valueBytes = ToShiftJis(value);
  // A value Shift-JIS cannot hold would come back as another text: refused.
  if (!path || !sectionBytes || !keyBytes || !valueBytes) return false;
  return WritePrivateProfileStringA(sectionBytes->c_str(), keyBytes->c_str(), valueBytes->c_str(),
                                    path->c_str()) != FALSE;
}

std::vector<std::string> Win32ProfileStore::ReadRawStrings(const std::string& section,
                                                           const std::vector<std::string>& keys) {
  const std::string* path = AnsiPath();
  const std::optional<std::string> sectionBytes = ToShiftJis(section);
  std::vector<SectionLine> lines;
  if (path && sectionBytes && !KnownToBeMissing(path_)) {
    lines = ReadSectionLines(*path, *sectionBytes);
  }
  std::unordered_map<std::string, std::size_t> index = IndexByKey(lines);
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) {
    const std::optional<std::string> keyBytes = ToShiftJis(key);
    auto found = keyBytes ? index.find(KeyIndexName(*keyBytes)) : index.end();
    values.push_back(found == index.end() ? std::string()
                                          : FromShiftJis(Unquoted(lines[found->second].Value), false).value_or(""));
  }
  return values;
}

std::size_t Win32ProfileStore::WriteStrings(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& values) {
  const std::string* path = AnsiPath();
  const std::optional<std::string> sectionBytes = ToShiftJis(section);
  if (!path || !sectionBytes) return 0;
  // The file's own lines stay as their bytes are; only what is written is
  // converted. All or none: a pair Shift-JIS cannot hold writes nothing.
  std::vector<std::pair<std::string, std::string>> encoded;
  encoded.reserve(values.size());
  for (const auto& [key, value] : values) {
    std::optional<std::string> keyBytes = ToShiftJis(key);
    std::optional<std::string> valueBytes = ToShiftJis(value);
    if (!keyBytes || !valueBytes) return 0;
    encoded.emplace_back(std::move(*keyBytes), std::move(*valueBytes));
  }
  std::vector<SectionLine> lines;
  if (!KnownToBeMissing(path_)) lines = ReadSectionLines(*path, *sectionBytes);
  std::unordered_map<std::string, std::size_t> index = IndexByKey(lines);
  bool changed = false;
  for (const auto& [key, value] : encoded) {
    auto [found, added] = index.emplace(KeyIndexName(key), lines.size());
    if (added) {
      lines.push_back({key, value, true});
      changed = true;
    } else if (lines[found->second].Value != value) {
      lines[found->second].Value = value;
      changed = true;
    }
  }
  // A section that already holds these values is left alone, as long as the
  // file would take the write: rewriting it costs a pass over the whole file
  // and changes nothing, while a file that refuses writes still fails below.
  if (!changed && TakesWrites(path_)) return values.size();
  std::string block;
  for (const SectionLine& line : lines) {
    block += line.Key;
    if (line.HasValue) block += '=' + line.Value;
    block += '\0';
  }
  block += '\0';
  if (!WritePrivateProfileSectionA(sectionBytes->c_str(), block.data(), path->c_str())) return 0;
  return values.size();
}

}  // namespace korvath
