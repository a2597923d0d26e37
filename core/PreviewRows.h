#pragma once
// The before/after preview, held by the program so that the grid draws only
// the rows on screen. Rebuilt whole on every change; the names of all rows
// share two flat buffers, so a rebuild allocates nothing once the buffers
// have grown to the folder's size.

#include <cstddef>
#include <string>
#include <cstdint>
#include <string_view>
#include <vector>

#include "NameConflicts.h"

namespace korvath {

class RenameSession;
class TakenNames;

class PreviewRows {
 public:
  enum class State {
    Empty,      // no file checked: one row " (未選択)" | ""
    Rows,       // one row per checked file
    Completed,  // after a rename run: one row "" | " (変更完了)"
  };

  State GetState() const { return state_; }
  // Rows of the grid: the number of checked files, or 1.
  std::size_t RowCount() const;
  // Text of cell (column 0 before / 1 after, row); empty outside the grid.
  std::string_view Cell(int column, std::size_t row) const;
  // Index into RenameSession::Files of row's file (State::Rows only).
  std::size_t FileIndex(std::size_t row) const;
  // True when row's new name is one the run could not give: held by a file
  // that stays (outside the run, or the row's own file), given to an
  // earlier row too, past the number limit, or one the file system cannot
  // hold. Its cell 1 then starts with ConflictMark.
  bool Marked(std::size_t row) const;
  std::size_t MarkedCount() const { return markedCount_; }
  // Row's new name without the mark.
  std::string_view NewName(std::size_t row) const;
  // Marks are worked out against these names, from the next Rebuild on;
  // null: no marks.
  void SetTakenNames(TakenNames* taken) { taken_ = taken; }

  // The Execute button's state that goes with this preview.
  bool ExecuteEnabled() const { return state_ == State::Rows; }

  // Recomposes every row from the session; same as session.RefreshPreview.
  void Rebuild(const RenameSession& session);
  // The grid's empty state.
  void SetEmpty();
  // The final state of a rename run: the only row's cells are overwritten.
  void SetCompleted();

 private:
  void Mark(std::int64_t startNumber);

  State state_ = State::Empty;
  std::vector<std::size_t> fileIndex_;
  // Row r's old name is oldNames_[oldEnd_[r-1] .. oldEnd_[r]), likewise new.
  std::string oldNames_;
  std::string newNames_;
  std::vector<std::size_t> oldEnd_;
  std::vector<std::size_t> newEnd_;
  std::vector<bool> marked_;
  std::vector<std::string> oldKeys_, newKeys_;  // kept to reuse their storage
  std::string keyedOldNames_;                   // oldNames_ when oldKeys_ was made
  LeavingNames leaving_;                        // views into oldKeys_
  std::size_t markedCount_ = 0;
  TakenNames* taken_ = nullptr;
};

}  // namespace korvath
