// The main window's naming fields: the start-number and digit-count steps,
// the sample, the preview grid and the file count beside it.

#include <string>

#include "ControlFocus.h"
#include "FileListBox.h"
#include "PreviewRows.h"
#include "PreviewWork.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "Setup.h"
#include "SetupControls.h"
#include "StringGrid.h"
#include "Texts.h"
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
// While the whole list is being worked out, past a frame.
constexpr UINT kFrameMilliseconds = 16;

// While names are marked, panel 3 carries their count after its own text
// ("6個存在 ※2"); the last panel is too narrow, under the size grip. working:
// the marks are not known yet and a frame has passed ("6個存在 計算中").
std::string WithMarkedCount(std::string text, const PreviewRows& rows, bool working) {
  for (std::string_view tail : {std::string_view(ConflictMark), Text(kTextPreviewWorking)}) {
    const std::size_t at = text.find(tail);
    if (at != std::string::npos && at > 0 && text[at - 1] == ' ') text.resize(at - 1);
  }
  const std::string tail = working                  ? std::string(Text(kTextPreviewWorking))
                           : rows.MarkedCount() > 0 ? MarkedCountText(rows.MarkedCount())
                                                    : std::string();
  if (!tail.empty()) text.append(text.empty() ? "" : " ").append(tail);
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
  // The count's marks wait for the whole list; until then the text keeps
  // what it had, for a frame.
  if (!preview_->Complete() || FileListBox1->ReadingDates()) return;
  const std::string count = WithMarkedCount(statusTexts_[kPanelCount], *rows, false);
  if (count != statusTexts_[kPanelCount]) SetStatusText(kPanelCount, count);
}

void TSetupForm1::RefreshPreview() {
  // The rows on screen are composed as they are drawn; the whole list's
  // names and marks follow from the preview's thread, and the next change
  // cancels them.
  preview_->Recompose(*session_);
  if (preview_->Complete()) {
    previewWork_->Cancel();
    KillTimer(Handle(), kPreviewSlowTimer);
  } else {
    previewWork_->Start(*preview_);
    SetTimer(Handle(), kPreviewSlowTimer, kFrameMilliseconds, nullptr);
  }
  ShowPreview();
  EnableControl(BitBtn1, preview_->ExecuteEnabled());
}

void TSetupForm1::PreviewReady() {
  if (!previewWork_->TakeInto(*preview_)) return;
  KillTimer(Handle(), kPreviewSlowTimer);
  ShowPreview();
}

void TSetupForm1::PreviewSlow() {
  if (preview_->Complete() || FileListBox1->ReadingDates()) return;
  SetStatusText(kPanelCount, WithMarkedCount(statusTexts_[kPanelCount], *preview_, true));
}

void TSetupForm1::FinishPreview() {
  if (preview_->Complete()) return;
  previewWork_->CompleteNow(*preview_);
  KillTimer(Handle(), kPreviewSlowTimer);
  ShowPreview();
}

bool TSetupForm1::PreviewPending() const { return previewWork_->Pending(); }

void TSetupForm1::ShowFileCount() {
  if (FileListBox1->ReadingDates()) return ShowDateProgress();
  SetStatusText(kPanelCount, WithMarkedCount(session_->FileCountText(), *preview_,
                                             !preview_->Complete() &&
                                                 statusTexts_[kPanelCount].find(Text(
                                                     kTextPreviewWorking)) != std::string::npos));
}

}  // namespace korvath
