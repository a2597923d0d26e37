#include "PreviewRows.h"

#include "FileNames.h"
#include "NameConflicts.h"
#include "NameKeys.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"
#include "TakenNames.h"
#include "Utf8.h"

namespace korvath {

std::size_t PreviewRows::RowCount() const { return state_ == State::Rows ? fileIndex_.size() : 1; }

std::string_view PreviewRows::Cell(int column, std::size_t row) const {
  if (column < 0 || column > 1 || row >= RowCount()) return {};
  switch (state_) {
    case State::Empty:
      return column == 0 ? PreviewEmptyText : std::string_view();
    case State::Completed:
      return column == 0 ? std::string_view() : PreviewCompletedText;
    case State::Rows:
      break;
  }
  const std::string& names = column == 0 ? oldNames_ : newNames_;
  const std::vector<std::size_t>& ends = column == 0 ? oldEnd_ : newEnd_;
  const std::size_t begin = row == 0 ? 0 : ends[row - 1];
  return std::string_view(names).substr(begin, ends[row] - begin);
}

bool PreviewRows::Marked(std::size_t row) const {
  return state_ == State::Rows && row < marked_.size() && marked_[row];
}

std::string_view PreviewRows::NewName(std::size_t row) const {
  std::string_view name = Cell(1, row);
  if (Marked(row)) name.remove_prefix(ConflictMark.size());
  return name;
}

std::size_t PreviewRows::FileIndex(std::size_t row) const {
  return state_ == State::Rows && row < fileIndex_.size() ? fileIndex_[row] : 0;
}

void PreviewRows::SetEmpty() {
  state_ = State::Empty;
  fileIndex_.clear();
  oldNames_.clear();
  newNames_.clear();
  oldEnd_.clear();
  newEnd_.clear();
  marked_.clear();
  markedCount_ = 0;
}

void PreviewRows::SetCompleted() {
  SetEmpty();
  state_ = State::Completed;
}

void PreviewRows::Rebuild(const RenameSession& session) {
  SetEmpty();
  const std::vector<FileEntry>& files = session.Files;
  const std::size_t checked = session.CheckedCount();
  if (checked == 0) return;

  // One read of each field per rebuild: the whole preview is composed from
  // one moment's texts.
  const std::string prefix = session.Prefix();
  const std::string suffix = session.Suffix();
  const std::string extension = session.ExtensionChoice();
  const bool keepExtension = extension == KeepExtension;
  const bool fullWidth = session.FullWidth();
  const int digitCount = session.DigitCount;

  fileIndex_.reserve(checked);
  oldEnd_.reserve(checked);
  newEnd_.reserve(checked);

  // The preview assumes every rename succeeds and is not clamped: row r
  // shows StartNumber + r, computed wide so that it never overflows.
  std::int64_t number = session.StartNumber;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const FileEntry& entry = files[i];
    if (!entry.Checked) continue;
    fileIndex_.push_back(i);
    oldNames_ += entry.Name;
    oldEnd_.push_back(oldNames_.size());
    newNames_ += prefix;
    AppendSequenceNumber(newNames_, digitCount, number, fullWidth);
    newNames_ += suffix;
    newNames_ += keepExtension ? ExtractExtension(entry.Name) : std::string_view(extension);
    newEnd_.push_back(newNames_.size());
    ++number;
  }
  state_ = State::Rows;
  if (taken_ != nullptr) Mark(session.StartNumber);
}

void PreviewRows::Mark(std::int64_t startNumber) {
  const std::size_t rows = fileIndex_.size();
  newKeys_.resize(rows);
  marked_.assign(rows, false);
  const std::size_t folderLength = Utf16Length(taken_->Folder());
  // The old names change only with the check marks, not with a keystroke.
  if (oldNames_ != keyedOldNames_ || oldKeys_.size() != rows) {
    oldKeys_.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) {
      oldKeys_[r].clear();
      AppendNameKey(oldKeys_[r], Cell(0, r));
    }
    leaving_.Build(oldKeys_);
    keyedOldNames_ = oldNames_;
  }
  for (std::size_t r = 0; r < rows; ++r) {
    newKeys_[r].clear();
    AppendNameKey(newKeys_[r], Cell(1, r));
  }
  std::vector<bool> unusable(rows, false), unchanged(rows, false);
  for (std::size_t r = 0; r < rows; ++r) {
    const std::string_view name = Cell(1, r);
    unchanged[r] = name == Cell(0, r);
    NewNameCheck check;
    CheckNewName(name, check);
    unusable[r] = startNumber + static_cast<std::int64_t>(r) > RenameSession::MaxStartNumber ||
                  !check.Ok() || CheckNameFits(name, folderLength) != NameFit::Fits;
  }
  const std::vector<NameConflict> conflicts = FindConflicts(
      oldKeys_, newKeys_, unusable, [this](std::size_t r) { return taken_->Holds(newKeys_[r]); },
      &leaving_, &unchanged);
  for (std::size_t r = 0; r < rows; ++r) {
    marked_[r] = conflicts[r] != NameConflict::None && conflicts[r] != NameConflict::Unchanged;
    if (marked_[r]) ++markedCount_;
  }
  if (markedCount_ == 0) return;

  // The mark goes in front of the name, in the buffer the grid draws from.
  std::string marked;
  marked.reserve(newNames_.size() + markedCount_ * ConflictMark.size());
  std::size_t begin = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    if (marked_[r]) marked += ConflictMark;
    marked.append(newNames_, begin, newEnd_[r] - begin);
    begin = newEnd_[r];
    newEnd_[r] = marked.size();
  }
  newNames_.swap(marked);
}

}  // namespace korvath
