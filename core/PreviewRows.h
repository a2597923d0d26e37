#pragma once
// The before/after preview, held by the program so that the grid draws only
// the rows on screen. Rebuilt whole on every change; the names of all rows
// share two flat buffers, so a rebuild allocates nothing once the buffers
// have grown to the folder's size.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

class RenameSession;

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
  // The Execute button's state that goes with this preview.
  bool ExecuteEnabled() const { return state_ == State::Rows; }

  // Recomposes every row from the session; same as session.RefreshPreview.
  void Rebuild(const RenameSession& session);
  // The grid's empty state.
  void SetEmpty();
  // The final state of a rename run: the only row's cells are overwritten.
  void SetCompleted();

 private:
  State state_ = State::Empty;
  std::vector<std::size_t> fileIndex_;
  // Row r's old name is oldNames_[oldEnd_[r-1] .. oldEnd_[r]), likewise new.
  std::string oldNames_;
  std::string newNames_;
  std::vector<std::size_t> oldEnd_;
  std::vector<std::size_t> newEnd_;
};

}  // namespace korvath
