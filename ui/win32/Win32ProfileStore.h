#pragma once
// The settings file through the Windows private-profile API, so that it
// stays a plain INI text in the ANSI code page. Each call goes to the file.

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

 protected:
  std::string ReadRaw(const std::string& section, const std::string& key) override;
  std::vector<std::string> ReadRawStrings(const std::string& section,
                                          const std::vector<std::string>& keys) override;

 private:
  std::string path_;
};

}  // namespace korvath
