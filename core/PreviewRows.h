#pragma once
// The before/after preview, held by the program so that the grid draws only
// the rows on screen. A change of the fields or the check marks costs what
// the screen shows: the rows' new names are composed as they are drawn, and
// the whole list's names and marks are worked out apart (PreviewWork) and
// handed in when done. The checked files of one moment are a PreviewBatch,
// shared unchanged by the preview and that work.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "NameConflicts.h"

namespace korvath {

class RenameSession;
class TakenNames;

// The naming fields of one moment: what every new name is composed from.
struct PreviewInputs {
  std::string Prefix, Suffix, Extension;
  bool FullWidth = false;
  int DigitCount = 1;
  std::int64_t StartNumber = 1;

  static PreviewInputs Of(const RenameSession& session);
  // Row's new name (it shows StartNumber + row, unclamped) for a file of
  // that old name, appended to out.
  void AppendNewName(std::string& out, std::size_t row, std::string_view oldName) const;
  bool operator==(const PreviewInputs&) const = default;
};

// The checked files in list order, with their old names' keys once asked for.
class PreviewBatch {
 public:
  // The session's checked files; previous when they are the same ones.
  static std::shared_ptr<const PreviewBatch> Of(const RenameSession& session,
                                                std::shared_ptr<const PreviewBatch> previous);
  std::size_t Size() const { return fileIndex_.size(); }
  std::size_t FileIndex(std::size_t row) const { return fileIndex_[row]; }
  std::string_view OldName(std::size_t row) const;
  // Made on first use, by whichever thread asks first; unchanged after.
  const std::vector<std::string>& OldKeys() const;
  const LeavingNames& Leaving() const;

 private:
  std::vector<std::size_t> fileIndex_;
  std::string oldNames_;  // row r's is oldNames_[oldEnd_[r-1] .. oldEnd_[r])
  std::vector<std::size_t> oldEnd_;
  mutable std::once_flag keysMade_;
  mutable std::vector<std::string> oldKeys_;
  mutable LeavingNames leaving_;  // views into oldKeys_
};

// Every row's new name, with its mark in front when marked.
struct PreviewNames {
  std::string Names;  // row r's is Names[Ends[r-1] .. Ends[r])
  std::vector<std::size_t> Ends;
  std::vector<bool> Marked;
  std::size_t MarkedCount = 0;
};

// Composes the new names of the whole batch and, with taken, their marks:
// exactly what a rebuild shows. keys holds the new names' keys meanwhile
// (kept by the caller from one composition to the next: most keys outgrow
// a string's own room, and a keystroke need not allocate them again).
// False when stop (asked now and then) said to give up; out is then of no use.
bool ComposePreview(const PreviewBatch& batch, const PreviewInputs& inputs, TakenNames* taken,
                    PreviewNames& out, std::vector<std::string>& keys,
                    const std::function<bool()>& stop = {});

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
  // Before the whole list is known, a new name is composed when asked for
  // and the text lasts until the next call.
  std::string_view Cell(int column, std::size_t row) const;
  // Index into RenameSession::Files of row's file (State::Rows only).
  std::size_t FileIndex(std::size_t row) const;
  // True when row's new name is one the run could not give: held by a file
  // that stays (outside the run, or one keeping its name), given to an
  // earlier row too, past the number limit, or one the file system cannot
  // hold. Its cell 1 then starts with ConflictMark. False for every row
  // until the whole list is known.
  bool Marked(std::size_t row) const;
  std::size_t MarkedCount() const { return complete_ ? names_.MarkedCount : 0; }
  // Row's new name without the mark.
  std::string_view NewName(std::size_t row) const;
  // Marks are worked out against these names, from the next Rebuild on;
  // null: no marks.
  void SetTakenNames(TakenNames* taken) { taken_ = taken; }

  // The Execute button's state that goes with this preview.
  bool ExecuteEnabled() const { return state_ == State::Rows; }

  // Recomposes every row and its mark from the session, at once; same as
  // session.RefreshPreview.
  void Rebuild(const RenameSession& session);
  // Takes the session's checked files and fields; the whole list's names
  // and marks are then unknown until Complete (at once when nothing is
  // checked).
  void Recompose(const RenameSession& session);
  // True when the names and marks of every row are known.
  bool Complete() const { return complete_; }
  const std::shared_ptr<const PreviewBatch>& Batch() const { return batch_; }
  const PreviewInputs& Inputs() const { return inputs_; }
  // The whole list's names and marks, composed for Batch() and Inputs().
  void Complete(PreviewNames names);
  // The grid's empty state.
  void SetEmpty();
  // The final state of a rename run: the only row's cells are overwritten.
  void SetCompleted();

 private:
  State state_ = State::Empty;
  std::shared_ptr<const PreviewBatch> batch_;
  PreviewInputs inputs_;
  bool complete_ = true;
  PreviewNames names_;
  mutable std::string composed_;  // the last new name composed for Cell
  TakenNames* taken_ = nullptr;
};

}  // namespace korvath
