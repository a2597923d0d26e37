#pragma once
// An in-memory settings file for the tests: it keeps sections and
// keys in the order they were first written, logs every write, and can be
// told to refuse one key (as a read-only file would). Values are held as the
// real file holds them, in Shift-JIS: a character Shift-JIS lacks is written
// as "?", and CanHold tells which texts come back unchanged.

#include <string>
#include <utility>
#include <vector>

#include "../core/ShiftJis.h"
#include "ProfileStore.h"
#include "Utf8.h"

namespace korvath::test {

class FakeProfileStore : public ProfileStore {
 public:
  struct Entry {
    std::string Section, Key, Value;  // Value: the file's Shift-JIS bytes
  };

  // Puts the UTF-8 value into the file as a write would.
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    SetBytes(section, key, ShiftJisOf(value));
  }
  // Puts each key's UTF-8 value into section, in order.
  void Set(const std::string& section,
           const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [key, value] : values) Set(section, key, value);
  }
  // Puts bytes into the file as they are, as an editor could.
  void SetBytes(const std::string& section, const std::string& key, const std::string& bytes) {
    for (Entry& e : entries_) {
      if (e.Section == section && e.Key == key) {
        e.Value = bytes;
        return;
      }
    }
    entries_.push_back({section, key, bytes});
  }
  // The bytes the file holds for section/key ("" when missing).
  std::string Bytes(const std::string& section, const std::string& key) const {
    for (const Entry& e : entries_) {
      if (e.Section == section && e.Key == key) return e.Value;
    }
    return {};
  }

  bool CanHold(std::string_view text) const override {
    const auto bytes = testing::ToShiftJis(text);
    return bytes && testing::FromShiftJis(*bytes) == std::string(text);
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
    return testing::FromShiftJis(Bytes(section, key)).value_or("?");
  }

 private:
  // Shift-JIS of text, each character it lacks written as "?".
  static std::string ShiftJisOf(std::string_view text) {
    std::string bytes;
    for (std::size_t pos = 0; pos < text.size();) {
      const std::size_t length = CharLength(text, pos);
      bytes += testing::ToShiftJis(text.substr(pos, length)).value_or("?");
      pos += length;
    }
    return bytes;
  }

  std::vector<Entry> entries_;
  std::vector<std::string> writes_;
  std::string refusedSection_, refusedKey_;
  int reads_ = 0;
};

}  // namespace korvath::test
