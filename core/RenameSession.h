#pragma once
// The rename state of the main window and everything that turns it into
// names: the sample, the displays, the preview.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "NamingFields.h"

namespace korvath {

class PreviewRows;

// One line of the check list: a bare file name of the shown folder.
struct FileEntry {
  std::string Name;
  bool Checked = false;
};

class RenameSession {
 public:
  static constexpr int MinStartNumber = 0;
  static constexpr int MaxStartNumber = 2000000000;
  static constexpr int MinDigitCount = 1;
  static constexpr int MaxDigitCount = 10;

  // fields must outlive the session; its texts are read at every use.
  explicit RenameSession(const NamingFields& fields) : fields_(&fields) {}

  // Kept within MinStartNumber..MaxStartNumber by every writer here.
  int StartNumber = 1;
  // Kept within MinDigitCount..MaxDigitCount.
  int DigitCount = 1;
  // The check list's names in list order with their check marks; the
  // check list draws straight from this vector.
  std::vector<FileEntry> Files;
  // Set by UpdateSample, shown in Panel4.
  std::string SampleName;

  // The naming fields, read from the window now.
  bool FullWidth() const { return fields_->FullWidthChecked(); }
  std::string Prefix() const { return fields_->PrefixText(); }
  std::string Suffix() const { return fields_->SuffixText(); }
  std::string ExtensionChoice() const { return fields_->ExtensionText(); }
  // True when the extension field reads exactly "(変更なし)".

  // Start-number buttons (step is the button's Tag, -10000..+10000):
  // add and clamp to 0..2000000000.
  void StepStartNumber(int step);
  // One past a successful rename, with the same clamp.
  void AdvanceStartNumber() { StepStartNumber(1); }
  // Digit-count buttons (+1 / -1): add and clamp to 1..10.
  void StepDigitCount(int step);

  // FormatSequenceNumber(DigitCount, number) with the full-width box read now.
  std::string FormatNumber(std::int64_t number) const;
  // Panel2: FormatSequenceNumber(DigitCount, StartNumber).
  std::string StartNumberText() const;
  // Panel3: DigitCount (full width when the box is ticked) followed by "桁".
  std::string DigitCountText() const;

  // Prefix + number + suffix + extension part, where the extension part is
  // ownExtension under "(変更なし)" and the extension field's text
  // otherwise. Plain concatenation: nothing is checked or trimmed.
  std::string ComposeNewName(std::int64_t number, std::string_view ownExtension) const;

  // SampleName := ComposeNewName(StartNumber, no own extension). Returns it.
  const std::string& UpdateSample();

  // Status bar panel 3 of ShowFileCount: every listed file, "<n>個存在".
  std::string FileCountText() const;

  // Number of checked entries of Files.
  std::size_t CheckedCount() const;
  // The Execute button is enabled exactly when a file is checked.
  bool ExecuteEnabled() const { return CheckedCount() >= 1; }

  // Rebuilds the preview whole from Files and the fields as they are now.
  void RefreshPreview(PreviewRows& rows) const;

  // Replaces Files with a freshly read list, every entry unchecked.
  void ReplaceFiles(const std::vector<std::string>& names);

 private:
  const NamingFields* fields_;
};

}  // namespace korvath
