#pragma once
// Which new names of a batch the run could not give. Shared by the preview
// marks and the run, so that the marks show what the run will do.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <cstdint>
#include <vector>

namespace korvath {

enum class NameConflict {
  None,
  Unchanged,  // the new name is exactly the old one: no step, the file stays as it is
  Unusable,   // the file system cannot hold the name
  Duplicate,  // an earlier row gets the same name
  Taken,      // held by a file that stays: outside the batch, or the row's own
  Blocked,    // held by a file of the batch that cannot move away
};

// An index over a vector of keys, open addressing in one flat array: the
// preview looks up tens of thousands of names per keystroke, and node-based
// sets spend most of that time allocating and chasing pointers.
class KeyIndex {
 public:
  // Indexes keys (which must outlive the index and stay unchanged); the
  // first of equal keys is the one found.
  void Build(const std::vector<std::string>& keys);
  // Empties the index for up to capacity keys of keys, added by Add.
  void Reset(const std::vector<std::string>& keys, std::size_t capacity);
  // Adds keys[i] unless an equal key is there; returns the index of the
  // equal key, or npos when keys[i] was added.
  std::size_t Add(std::size_t i);
  // Index of a key equal to key, or npos.
  std::size_t Find(std::string_view key) const;

 private:
  const std::vector<std::string>* keys_ = nullptr;
  // Index + 1 in the low half (0: empty), the key's hash in the high half,
  // so that a probe reads another key only when the hashes agree.
  std::vector<std::uint64_t> slots_;
  std::size_t mask_ = 0;
};

// The rows' old names, to look up which row leaves a name behind. Kept by
// the preview between keystrokes while the checked files stay the same.
class LeavingNames {
 public:
  void Build(const std::vector<std::string>& oldKeys) { index_.Build(oldKeys); }
  // The row leaving key, or npos.
  std::size_t RowOf(std::string_view key) const { return index_.Find(key); }

 private:
  KeyIndex index_;
};

// Rows in list order with their old and new names as NameKey. held(r) says
// whether anything outside the batch holds row r's new name; it is asked
// only for rows whose name no file of the batch leaves behind. unchanged
// (when given) marks the rows whose new name is byte for byte the old one:
// such a file keeps its name from every other row. A name that differs from
// the old one in letter case only is a rename like any other. stop, when
// given, is asked now and then; true gives up and returns nothing.
std::vector<NameConflict> FindConflicts(const std::vector<std::string>& oldKeys,
                                        const std::vector<std::string>& newKeys,
                                        const std::vector<bool>& unusable,
                                        const std::function<bool(std::size_t)>& held,
                                        const LeavingNames* leaving = nullptr,
                                        const std::vector<bool>* unchanged = nullptr,
                                        const std::function<bool()>& stop = {});

}  // namespace korvath
