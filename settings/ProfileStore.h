#pragma once
// The settings file as the portable code sees it: a private-profile (INI)
// store of string keys in sections. The Windows build reads and writes it
// through the private-profile API; tests use an in-memory store.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvath {

// Values longer than this many UTF-16 units are cut when read (before a
// character that would not fit), as the profile API does with a buffer of
// 2048. A Shift-JIS file never holds a text in fewer bytes than UTF-16
// units, so what earlier versions read whole still reads whole.
inline constexpr std::size_t kMaxProfileValueLength = 2047;

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The value of section/key; a missing file, section or key reads as "".
  // At most kMaxProfileValueLength UTF-16 units are returned.
  std::string ReadString(const std::string& section, const std::string& key);

  // Creates the file, section or key as needed; false when it could not be
  // written.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;

  // The value read as an integer (ParseProfileInteger), or fallback when it
  // is empty or not a valid integer.
  int ReadInteger(const std::string& section, const std::string& key, int fallback);

  // True when text can be written to the store and read back unchanged. The
  // settings file is Shift-JIS, so a file-backed store refuses characters
  // Shift-JIS lacks; a store in memory holds anything.
  virtual bool CanHold(std::string_view text) const {
    (void)text;
    return true;
  }

  // Writes value in signed decimal.
  bool WriteInteger(const std::string& section, const std::string& key, int value);

  // Several keys of one section, read as ReadString reads each. A store may
  // read the section once instead of going to the file per key: a thousand
  // user masks are then one access, not a thousand.
  std::vector<std::string> ReadStrings(const std::string& section,
                                       const std::vector<std::string>& keys);

  // Writes key and value pairs in order as WriteString does, stopping at the
  // first that cannot be written; returns how many were written. A store
  // may write them in one access, all or none.
  virtual std::size_t WriteStrings(const std::string& section,
                                   const std::vector<std::pair<std::string, std::string>>& values);

 protected:
  virtual std::string ReadRaw(const std::string& section, const std::string& key) = 0;
  virtual std::vector<std::string> ReadRawStrings(const std::string& section,
                                                  const std::vector<std::string>& keys);
};

// An integer as the settings file holds it: a text longer than two
// characters that starts with "0x" or "0X" has those two replaced by "$";
// then leading blanks are skipped, an optional "+" or "-" may follow, and a
// "$", "x" or "X" introduces hexadecimal digits, otherwise decimal digits
// follow, up to the end of the text. Anything else, and any value outside the
// range of a 32-bit signed integer, is no integer (nullopt).
std::optional<int> ParseProfileInteger(std::string_view text);

}  // namespace korvath
