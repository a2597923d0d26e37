#pragma once
// The settings file through the Windows private-profile API. It stays a
// plain INI text in Shift-JIS, byte for byte what earlier versions wrote on
// Japanese Windows, whatever the system's ANSI code page: texts arrive as
// UTF-8 and are converted to code page 932 here, and back when read. Each
// call goes to the file.

#include <string>

#include "ProfileStore.h"

namespace korvath {

class Win32ProfileStore : public ProfileStore {
 public:
  explicit Win32ProfileStore(std::string path) : path_(std::move(path)) {}

  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  // The section is read once, merged and written back whole: existing keys
  // keep their place, new ones follow at its end, as key by key.
  std::size_t WriteStrings(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values) override;
  // True when text has an exact Shift-JIS form that reads back unchanged.
  bool CanHold(std::string_view text) const override;

 protected:
  std::string ReadRaw(const std::string& section, const std::string& key) override;
  std::vector<std::string> ReadRawStrings(const std::string& section,
                                          const std::vector<std::string>& keys) override;

 private:
  // The path in the ANSI code page, or its short form when that code page
  // lacks some of its characters; null when neither names the file (every
  // read is then empty and every write fails).
  const std::string* AnsiPath();

  std::string path_;
  std::string ansiPath_;
};

}  // namespace korvath
