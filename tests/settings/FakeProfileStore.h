#pragma once
// An in-memory settings file for the portable tests: it keeps sections and
// keys in the order they were first written, logs every write, and can be
// told to refuse one key (as a read-only file would).

#include <string>
#include <utility>
#include <vector>

#include "ProfileStore.h"

namespace korvath::test {

class FakeProfileStore : public ProfileStore {
 public:
  struct Entry {
    std::string Section, Key, Value;
  };

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    for (Entry& e : entries_) {
      if (e.Section == section && e.Key == key) {
        e.Value = value;
        return;
      }
    }
    entries_.push_back({section, key, value});
  }

  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    writes_.push_back(section + "/" + key);
    if (section == refusedSection_ && key == refusedKey_) return false;
    Set(section, key, value);
    return true;
  }

  void RefuseKey(std::string section, std::string key) {
    refusedSection_ = std::move(section);
    refusedKey_ = std::move(key);
  }

  const std::vector<std::string>& Writes() const { return writes_; }
  const std::vector<Entry>& Entries() const { return entries_; }
  int Reads() const { return reads_; }

 protected:
  std::string ReadRaw(const std::string& section, const std::string& key) override {
    ++reads_;
    for (const Entry& e : entries_) {
      if (e.Section == section && e.Key == key) return e.Value;
    }
    return {};
  }

 private:
  std::vector<Entry> entries_;
  std::vector<std::string> writes_;
  std::string refusedSection_, refusedKey_;
  int reads_ = 0;
};

}  // namespace korvath::test
