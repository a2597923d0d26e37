#include "Win32ProfileStore.h"

#include <windows.h>

#include <cstring>

namespace korvath {

std::string Win32ProfileStore::ReadRaw(const std::string& section, const std::string& key) {
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

}  // namespace korvath
