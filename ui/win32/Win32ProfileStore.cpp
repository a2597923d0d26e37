#include "Win32ProfileStore.h"

#include <windows.h>

#include <cstring>
#include <unordered_map>

#include "Handles.h"

namespace korvath {
namespace {
// Under Wine every lookup of a name that does not exist scans its whole
// folder: with 100,000 files each read of a missing settings file costs about
// 0.1 s, and start-up reads dozens of keys. A file found missing is read as
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
  const std::size_t slash = path.rfind('\\');  // "KVTset.ini" holds no second bytes
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &data)) return false;
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
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
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
  const OwnedFile file(CreateFileA(path.c_str(), GENERIC_WRITE,
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

std::string Win32ProfileStore::ReadRaw(const std::string& section, const std::string& key) {
  if (KnownToBeMissing(path_)) return "";
  char buffer[kMaxProfileValueLength + 1] = {};
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                          static_cast<DWORD>(sizeof(buffer)), path_.c_str());
  // The API cuts long values itself; never trust the count beyond the text.
  length =
      static_cast<DWORD>(strnlen(buffer, length < sizeof(buffer) ? length : sizeof(buffer) - 1));
  return std::string(buffer, length);
}

bool Win32ProfileStore::WriteString(const std::string& section, const std::string& key,
                                    const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) !=
         FALSE;
}

std::vector<std::string> Win32ProfileStore::ReadRawStrings(const std::string& section,
                                                           const std::vector<std::string>& keys) {
  std::vector<SectionLine> lines = ReadSectionLines(path_, section);
  std::unordered_map<std::string, std::size_t> index = IndexByKey(lines);
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) {
    auto found = index.find(KeyIndexName(key));
    values.push_back(found == index.end() ? std::string() : Unquoted(lines[found->second].Value));
  }
  return values;
}

std::size_t Win32ProfileStore::WriteStrings(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& values) {
  std::vector<SectionLine> lines = ReadSectionLines(path_, section);
  std::unordered_map<std::string, std::size_t> index = IndexByKey(lines);
  bool changed = false;
  for (const auto& [key, value] : values) {
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
  if (!WritePrivateProfileSectionA(section.c_str(), block.data(), path_.c_str())) return 0;
  return values.size();
}

}  // namespace korvath
