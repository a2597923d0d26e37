#include "RenameSession.h"

#include <algorithm>

#include "FileNames.h"
#include "PreviewRows.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"

namespace korvath {


void RenameSession::StepStartNumber(int step) {
  // Widened so that no step can overflow, whatever a caller passes.
  std::int64_t next = static_cast<std::int64_t>(StartNumber) + step;
  if (next >= MaxStartNumber) next = MaxStartNumber;
  if (next <= MinStartNumber) next = MinStartNumber;
  StartNumber = static_cast<int>(next);
}

void RenameSession::StepDigitCount(int step) {
  std::int64_t next = static_cast<std::int64_t>(DigitCount) + step;
  if (next <= MinDigitCount) next = MinDigitCount;
  if (next >= MaxDigitCount) next = MaxDigitCount;
  DigitCount = static_cast<int>(next);
}

std::string RenameSession::FormatNumber(std::int64_t number) const {
  return FormatSequenceNumber(DigitCount, number, FullWidth());
}

std::string RenameSession::StartNumberText() const { return FormatNumber(StartNumber); }

std::string RenameSession::DigitCountText() const {
  return korvath::DigitCountText(DigitCount, FullWidth());
}

std::string RenameSession::ComposeNewName(std::int64_t number,
                                          std::string_view ownExtension) const {
  const std::string extension = ExtensionChoice();
  std::string name = Prefix();
  AppendSequenceNumber(name, DigitCount, number, FullWidth());
  name += Suffix();
  if (extension == KeepExtension) {
    name += ownExtension;
  } else {
    name += extension;
  }
  return name;
}

const std::string& RenameSession::UpdateSample() {
  SampleName = ComposeNewName(StartNumber, {});
  return SampleName;
}

std::string RenameSession::FileCountText() const { return korvath::FileCountText(Files.size()); }

std::size_t RenameSession::CheckedCount() const {
  return static_cast<std::size_t>(
      std::count_if(Files.begin(), Files.end(), [](const FileEntry& f) { return f.Checked; }));
}

void RenameSession::RefreshPreview(PreviewRows& rows) const { rows.Rebuild(*this); }

void RenameSession::ReplaceFiles(const std::vector<std::string>& names) {
  Files.clear();
  Files.reserve(names.size());
  for (const std::string& name : names) Files.push_back(FileEntry{name, false});
}

}  // namespace korvath
