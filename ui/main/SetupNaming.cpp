// The main window's naming fields: the start-number and digit-count steps,
// the sample, the preview grid and the file count beside it.

#include <string>

#include "ControlFocus.h"
#include "FileListBox.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "Setup.h"
#include "SetupControls.h"
#include "StringGrid.h"
#include "WindowText.h"

namespace korvath {

void TSetupForm1::ComboBox1Change() { NamingChanged(); }

void TSetupForm1::SpeedButton1Click(HWND sender) {
  // Ten step buttons share this handler; each steps by its row's amount.
  const SetupRow* row = RowById(GetDlgCtrlID(sender));
  session_->StepStartNumber(row ? row->tag : 0);
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::SpeedButton11Click() {
  session_->StepDigitCount(1);
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::SpeedButton12Click() {
  session_->StepDigitCount(-1);
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::CheckBox1Click() {
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::NamingChanged() {
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::UpdateSample() { SetWindowTextUtf8(Panel4, session_->UpdateSample()); }

void TSetupForm1::ShowStartNumber() { SetWindowTextUtf8(Panel2, session_->StartNumberText()); }

void TSetupForm1::ShowDigitCount() { SetWindowTextUtf8(Panel3, session_->DigitCountText()); }

namespace {
// While names are marked, panel 3 carries their count after its own text
// ("6個存在 ※2"); the last panel is too narrow, under the size grip.
std::string WithMarkedCount(std::string text, const PreviewRows& rows) {
  const std::size_t mark = text.find(ConflictMark);
  if (mark != std::string::npos && mark > 0 && text[mark - 1] == ' ') text.resize(mark - 1);
  if (rows.MarkedCount() > 0) text.append(1, ' ').append(MarkedCountText(rows.MarkedCount()));
  return text;
}
}  // namespace

void TSetupForm1::ResetPreviewGrid() {
  preview_->SetEmpty();
  ShowPreview();
}

void TSetupForm1::ShowPreview() {
  RECT grid{};
  GetWindowRect(StringGrid1->Handle(), &grid);
  PreviewColumnWidths widths = GridColumnWidths(grid.right - grid.left, dpi_);
  StringGrid1->SetColumnWidths(widths.Column0, widths.Column1);
  const PreviewRows* rows = preview_.get();
  StringGrid1->SetRows(rows->RowCount(),
                       [rows](int column, std::size_t row) { return rows->Cell(column, row); });
  StringGrid1->SetRowMarks([rows](std::size_t row) { return rows->Marked(row); });
  const std::string count = WithMarkedCount(statusTexts_[kPanelCount], *rows);
  if (count != statusTexts_[kPanelCount]) SetStatusText(kPanelCount, count);
}

void TSetupForm1::RefreshPreview() {
  session_->RefreshPreview(*preview_);
  ShowPreview();
  EnableControl(BitBtn1, preview_->ExecuteEnabled());
}

void TSetupForm1::ShowFileCount() {
  if (FileListBox1->ReadingDates()) return ShowDateProgress();
  SetStatusText(kPanelCount, WithMarkedCount(session_->FileCountText(), *preview_));
}

}  // namespace korvath
