// The rename run from the Execute button, and taking the last run back.

#include <optional>
#include <string>

#include "CheckListBox.h"
#include "ControlFocus.h"
#include "FileListBox.h"
#include "MessageBox.h"
#include "PreviewRows.h"
#include "PreviewWork.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "Setup.h"
#include "SetupRunDriver.h"
#include "Texts.h"
#include "Win32FileSystem.h"
#include "WindowText.h"

namespace korvath {

TSetupForm1::RunInProgress::RunInProgress(TSetupForm1& form)
    : form_(form), outer_(!form.runInProgress_) {
  form_.runInProgress_ = true;
}

TSetupForm1::RunInProgress::~RunInProgress() {
  if (!outer_) return;
  form_.runInProgress_ = false;
  if (form_.blockingShutdown_) {
    form_.blockingShutdown_ = false;
    ShutdownBlockReasonDestroy(form_.Handle());
  }
  if (form_.closeAfterRun_) {
    form_.closeAfterRun_ = false;
    PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
  }
}

// Rename run

namespace {
class WindowRenameObserver : public RenameObserver {
 public:
  // The window's start-number field, status bar and file list, and the
  // number of files the run is to rename.
  WindowRenameObserver(TSetupForm1& form, TSetupForm1::RunDriver& run, HWND startNumber,
                       HWND statusBar, TFileListBox& files, std::size_t fileCount)
      : form_(form),
        run_(run),
        startNumber_(startNumber),
        statusBar_(statusBar),
        files_(files),
        fileCount_(fileCount) {}

  // The run's question is a fixed text of the table: its English form
  // counts the files ("Rename 12 files?"), the Japanese one has no argument.
  bool Ask(std::string_view text, std::string_view caption) override {
    return ShowMessage(form_.Handle(), FormatText(text, {std::to_string(fileCount_)}),
                       std::string(caption),
                       MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1) == IDYES;
  }
  // No box once a close is confirmed: the window closes as soon as the run ends.
  void WarnCollision(std::string_view text, std::string_view caption, const std::string&) override {
    if (run_.Closing()) return;
    ShowMessage(form_.Handle(), std::string(text), std::string(caption), MB_OK | MB_ICONERROR);
  }
  void Warn(std::string_view text, std::string_view caption) override {
    if (run_.Closing()) return;
    ShowMessage(form_.Handle(), std::string(text), std::string(caption), MB_OK | MB_ICONERROR);
  }
  void Beep() override { DefaultBeep(); }
  void ShowStartNumber(const std::string& text) override { SetWindowTextUtf8(startNumber_, text); }
  void ShowCompletedCount(const std::string& text) override {
    form_.SetStatusText(kPanelCount, text);
    // The count advances visibly while the run goes on.
    UpdateWindow(statusBar_);
  }
  std::vector<std::string> RereadFiles() override {
    files_.ListFolderFiles();
    return files_.Items();
  }
  void ShowProgress(std::size_t done, std::size_t total, const std::string& name) override {
    run_.ShowProgress(done, total, name);
  }
  bool StopRequested() override { return run_.StopRequested(); }

 private:
  TSetupForm1& form_;
  TSetupForm1::RunDriver& run_;
  HWND startNumber_;
  HWND statusBar_;
  TFileListBox& files_;
  std::size_t fileCount_;
};
}  // namespace

void TSetupForm1::BitBtn1Click() {
  if (run_) {
    run_->AskStop(false);  // the button reads "中止" while the run lasts
    return;
  }
  // The run composes its names and finds what cannot be given from the
  // fields and check marks as they are now, whatever the preview's thread
  // has got to: its work is given up, and taken up again if nothing runs.
  previewWork_->Cancel();
  // A run or undo cut off and kept is offered again first: no run starts
  // while one waits (the run itself refuses then, naming its folder).
  const JournalPaths journals = JournalPathsBeside(SettingsPath);
  if (RecoveryWaits(*fileSystem_, journals) && !RecoverInterruptedRename()) {
    RefreshPreview();
    return;
  }
  const RunInProgress running(*this);
  RenameRunResult result;
  {
    RunDriver run(*this, FileListBox1->Directory(), ConfirmStopText);
    WindowRenameObserver observer(*this, run, Panel2, StatusBar1, *FileListBox1,
                                  session_->CheckedCount());
    const RenamePlace place{FileListBox1->Directory(), journals.Run, journals.Undo};
    result = RunRename(*session_, *preview_, run.Files(), observer, place);
  }  // the inputs are given back first: a focus moved on below finds them
  if (!result.Confirmed) {
    RefreshPreview();
    return;
  }
  // The start number has moved on: the sample follows it, as it does after
  // every other change of the start number.
  UpdateSample();
  CheckListBox1->Reload();
  if (handOrder_) {  // the folder was read again, in the chosen order
    handOrder_ = false;
    ShowSortOrderChecks();
  }
  ShowPreview();
  EnableControl(BitBtn1, preview_->ExecuteEnabled());
}

bool TSetupForm1::UndoAvailable() {
  return undoAvailability_.Check(*fileSystem_, JournalPathsBeside(SettingsPath)).has_value();
}

void TSetupForm1::KUndo1Click() {
  if (run_) return;
  const JournalPaths paths = JournalPathsBeside(SettingsPath);
  const std::optional<UndoSummary> undo = UndoableRun(*fileSystem_, paths);
  if (!undo) return;
  std::string question = ConfirmUndoText(undo->Folder, undo->Files);
  if (undo->WithoutIdentities) question += "\n\n" + std::string(Text(kTextJournalWithoutIdentities));
  if (ShowMessage(Handle(), question,
                  std::string(ConfirmRenameCaption),
                  MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1) != IDYES) {
    return;
  }
  UndoResult result;
  {
    // Driven like a run: the window answers, shows the progress, and Esc,
    // "中止" or a close ask whether to stop.
    const RunInProgress running(*this);
    RunDriver run(*this, undo->Folder, ConfirmStopUndoText);
    UndoProgress progress;
    progress.Show = [&](std::size_t done, std::size_t total, const std::string& name) {
      run.ShowProgress(done, total, name);
    };
    progress.StopRequested = [&] { return run.StopRequested(); };
    result = UndoLastRun(run.Files(), paths, progress);
    if (result.Busy || result.FolderMissing) {
      ShowMessage(Handle(),
                  result.Busy ? result.BusyText
                              : FormatText(kTextUndoFolderMissing, {result.Folder}),
                  std::string(CollisionCaption), MB_OK | MB_ICONERROR);
    } else if (result.FailureCount > 0 && !run.Closing()) {
      ShowMessage(Handle(), UndoFailureReportText(result.FailureCount, result.FirstFailures),
                  std::string(CollisionCaption), MB_OK | MB_ICONERROR);
    }
  }
  // The window closes once the undo is over, when asked meanwhile.
  if (!Handle() || !result.Done) return;
  // The folder of the run as it now is: list, preview, displays, status.
  if (FileListBox1->Directory() == result.Folder) {
    KRenew1Click();
  } else {
    ShowFolder(result.Folder);
  }
  ShowStartNumber();
  UpdateSample();
}

}  // namespace korvath
