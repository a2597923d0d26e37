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

 protected:
  std::string ReadRaw(const std::string& section, const std::string& key) override;

 private:
  std::string path_;
};

}  // namespace korvath
