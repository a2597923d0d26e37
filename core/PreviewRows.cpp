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

PreviewInputs PreviewInputs::Of(const RenameSession& session) {
  // One read of each field: the whole preview is composed from one
  // moment's texts.
  PreviewInputs inputs;
  inputs.Prefix = session.Prefix();
  inputs.Suffix = session.Suffix();
  inputs.Extension = session.ExtensionChoice();
  inputs.FullWidth = session.FullWidth();
  inputs.DigitCount = session.DigitCount;
  inputs.StartNumber = session.StartNumber;
  return inputs;
}

void PreviewInputs::AppendNewName(std::string& out, std::size_t row,
                                  std::string_view oldName) const {
  // The preview assumes every rename succeeds and is not clamped: row r
  // shows StartNumber + r, computed wide so that it never overflows.
  out += Prefix;
  AppendSequenceNumber(out, DigitCount, StartNumber + static_cast<std::int64_t>(row), FullWidth);
  out += Suffix;
  out += Extension == KeepExtension ? ExtractExtension(oldName) : std::string_view(Extension);
}

std::shared_ptr<const PreviewBatch> PreviewBatch::Of(const RenameSession& session,
                                                     std::shared_ptr<const PreviewBatch> previous) {
  const std::vector<FileEntry>& files = session.Files;
  if (previous) {
    // The same files checked (a keystroke, a step button): the batch and
    // the keys made for it stay.
    std::size_t row = 0;
    bool same = true;
    for (std::size_t i = 0; i < files.size() && same; ++i) {
      if (!files[i].Checked) continue;
      same = row < previous->Size() && previous->fileIndex_[row] == i &&
             previous->OldName(row) == files[i].Name;
      ++row;
    }
    if (same && row == previous->Size()) return previous;
  }
  auto batch = std::make_shared<PreviewBatch>();
  const std::size_t checked = session.CheckedCount();
  batch->fileIndex_.reserve(checked);
  batch->oldEnd_.reserve(checked);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!files[i].Checked) continue;
    batch->fileIndex_.push_back(i);
    batch->oldNames_ += files[i].Name;
    batch->oldEnd_.push_back(batch->oldNames_.size());
  }
  return batch;
}

std::string_view PreviewBatch::OldName(std::size_t row) const {
  const std::size_t begin = row == 0 ? 0 : oldEnd_[row - 1];
  return std::string_view(oldNames_).substr(begin, oldEnd_[row] - begin);
}

const std::vector<std::string>& PreviewBatch::OldKeys() const {
  std::call_once(keysMade_, [this] {
    oldKeys_.resize(Size());
    for (std::size_t r = 0; r < Size(); ++r) AppendNameKey(oldKeys_[r], OldName(r));
    leaving_.Build(oldKeys_);
  });
  return oldKeys_;
}

const LeavingNames& PreviewBatch::Leaving() const {
  OldKeys();
  return leaving_;
}

bool ComposePreview(const PreviewBatch& batch, const PreviewInputs& inputs, TakenNames* taken,
                    PreviewNames& out, std::vector<std::string>& keys,
                    const std::function<bool()>& stop) {
  constexpr std::size_t kStopEvery = 4096;
  const std::size_t rows = batch.Size();
  out.Names.clear();
  out.Ends.clear();
  out.Ends.reserve(rows);
  out.Marked.assign(rows, false);
  out.MarkedCount = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    if (stop && r % kStopEvery == 0 && stop()) return false;
    inputs.AppendNewName(out.Names, r, batch.OldName(r));
    out.Ends.push_back(out.Names.size());
  }
  if (taken == nullptr || rows == 0) return true;

  const auto newName = [&](std::size_t r) {
    const std::size_t begin = r == 0 ? 0 : out.Ends[r - 1];
    return std::string_view(out.Names).substr(begin, out.Ends[r] - begin);
  };
  const std::vector<std::string>& oldKeys = batch.OldKeys();
  std::vector<std::string>& newKeys = keys;
  newKeys.resize(rows);
  std::vector<bool> unusable(rows, false), unchanged(rows, false);
  const std::size_t folderLength = Utf16Length(taken->Folder());
  for (std::size_t r = 0; r < rows; ++r) {
    if (stop && r % kStopEvery == 0 && stop()) return false;
    const std::string_view name = newName(r);
    newKeys[r].clear();
    AppendNameKey(newKeys[r], name);
    unchanged[r] = name == batch.OldName(r);
    NewNameCheck check;
    CheckNewName(name, check);
    unusable[r] =
        inputs.StartNumber + static_cast<std::int64_t>(r) > RenameSession::MaxStartNumber ||
        !check.Ok() || CheckNameFits(name, folderLength) != NameFit::Fits;
  }
  const std::vector<NameConflict> conflicts = FindConflicts(
      oldKeys, newKeys, unusable, [&](std::size_t r) { return taken->Holds(newKeys[r]); },
      &batch.Leaving(), &unchanged, stop);
  if (conflicts.size() != rows) return false;  // stopped
  for (std::size_t r = 0; r < rows; ++r) {
    out.Marked[r] = conflicts[r] != NameConflict::None && conflicts[r] != NameConflict::Unchanged;
    if (out.Marked[r]) ++out.MarkedCount;
  }
  if (out.MarkedCount == 0) return true;

  // The mark goes in front of the name, in the buffer the grid draws from.
  std::string marked;
  marked.reserve(out.Names.size() + out.MarkedCount * std::string_view(ConflictMark).size());
  std::size_t begin = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    if (out.Marked[r]) marked += ConflictMark;
    marked.append(out.Names, begin, out.Ends[r] - begin);
    begin = out.Ends[r];
    out.Ends[r] = marked.size();
  }
  out.Names.swap(marked);
  return true;
}

std::size_t PreviewRows::RowCount() const { return state_ == State::Rows ? batch_->Size() : 1; }

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
  if (column == 0) return batch_->OldName(row);
  if (!complete_) {
    composed_.clear();
    inputs_.AppendNewName(composed_, row, batch_->OldName(row));
    return composed_;
  }
  const std::size_t begin = row == 0 ? 0 : names_.Ends[row - 1];
  return std::string_view(names_.Names).substr(begin, names_.Ends[row] - begin);
}

bool PreviewRows::Marked(std::size_t row) const {
  return state_ == State::Rows && complete_ && row < names_.Marked.size() && names_.Marked[row];
}

std::string_view PreviewRows::NewName(std::size_t row) const {
  std::string_view name = Cell(1, row);
  if (Marked(row)) name.remove_prefix(std::string_view(ConflictMark).size());
  return name;
}

std::size_t PreviewRows::FileIndex(std::size_t row) const {
  return state_ == State::Rows && row < batch_->Size() ? batch_->FileIndex(row) : 0;
}

void PreviewRows::SetEmpty() {
  state_ = State::Empty;
  complete_ = true;
  names_ = PreviewNames{};
}

void PreviewRows::SetCompleted() {
  SetEmpty();
  state_ = State::Completed;
}

void PreviewRows::Recompose(const RenameSession& session) {
  batch_ = PreviewBatch::Of(session, batch_);
  inputs_ = PreviewInputs::Of(session);
  if (batch_->Size() == 0) return SetEmpty();
  state_ = State::Rows;
  complete_ = false;
}

void PreviewRows::Complete(PreviewNames names) {
  if (state_ != State::Rows) return;
  names_ = std::move(names);
  complete_ = true;
}

void PreviewRows::Rebuild(const RenameSession& session) {
  Recompose(session);
  if (state_ != State::Rows) return;
  PreviewNames names;
  std::vector<std::string> keys;
  ComposePreview(*batch_, inputs_, taken_, names, keys);
  Complete(std::move(names));
}

}  // namespace korvath
