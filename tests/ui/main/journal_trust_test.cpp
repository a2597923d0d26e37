// What the main window does with what it cannot take on trust: a journal
// left beside the settings file (asked about before anything moves, or put
// aside), files renamed by another program before an undo, a log-off
// during a run, and a window the system refuses to create.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "HookedRenames.h"
#include "MainWindowFixture.h"
#include "RenameJournal.h"
#include "Setup.h"
#include "Win32FileSystem.h"

namespace korvath {
namespace {

using testsupport::FileBytes;
using testsupport::FileExists;
using testsupport::MakeFile;

// Renames at 20 ms each (so that the window's driver hands them to its
// worker), calling a hook before each one, from whichever thread makes it.
class HookedFileSystem : public testsupport::HookedRenames {
 public:
  void BeforeRename() override {
    Sleep(20);
    const int call = ++renames;
    if (OnRename) OnRename(call);
  }
  std::function<void(int)> OnRename;
  std::atomic<int> renames{0};
};

class JournalTrustTest : public testsupport::MainWindowFixture {
 protected:
  JournalTrustTest() : MainWindowFixture("korvath_trust_") {}

  void ClickButton(HWND button) {
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
  }
  // Every listed file checked, prefix "p", Execute.
  void RenameAllTo(const std::string& prefix) {
    ClickButton(controls_->SpeedButton14);
    SetWindowTextUtf8(controls_->ComboBox1, prefix);
    SendMessageW(GetParent(controls_->ComboBox1), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(controls_->ComboBox1), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(controls_->ComboBox1));
    Pump();
    ClickButton(controls_->BitBtn1);
  }
  HookedFileSystem& HookFiles() {
    auto files = std::make_unique<HookedFileSystem>();
    HookedFileSystem& hooked = *files;
    form_->ReplaceFileSystem(std::move(files));
    return hooked;
  }
  std::string Journal() const { return folder_ + "\\KVTrun.log"; }
};

// A run cut off after its first file: the next start names the folder and
// the number of files and waits for the answer. No moves nothing and asks
// again next time; Yes brings the file back. A journal reaching out of its
// folder is put aside with a warning, and nothing moves.
TEST_F(JournalTrustTest, RecoveryAsksFirstAndAPlantedJournalMovesNothing) {
  MakeFile("p1.txt", "first");
  MakeFile("b.txt", "second");
  MakeFile(Journal(), JournalHeader(JournalRunKind, folder_) + JournalStepLine("a.txt", "p1.txt") +
                          JournalStepLine("b.txt", "p2.txt"));
  const std::string question = "前回のファイル名の変換は、途中で止まっていました。\n\n" + folder_ +
                               "\nの2個のファイルを、変換前の名前に戻しますか？\n\n"
                               "「いいえ」のときは何も動かさず、次の起動でもう一度尋ねます。\n\n"
                               "この記録ファイルは以前の版が書いたもので、ファイルが変換したときと"
                               "同じものかを確かめられません。";
  answer_ = IDNO;
  Start();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, question);
  EXPECT_EQ(boxes_[0].caption, "情報");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_EQ(FileBytes("p1.txt"), "first");
  EXPECT_TRUE(FileExists(Journal()));
  EXPECT_FALSE(form_->UndoAvailable());

  DestroyWindows();
  boxes_.clear();
  answer_ = IDYES;
  Start();
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, question);
  EXPECT_NE(boxes_[1].text.find("1個のファイルを、変換前の名前に戻しました。"), std::string::npos);
  EXPECT_EQ(FileBytes("a.txt"), "first");
  EXPECT_EQ(FileBytes("b.txt"), "second");  // its step was never taken
  EXPECT_FALSE(FileExists("p1.txt"));
  EXPECT_FALSE(FileExists(Journal()));

  // The step would take victim.txt up out of the folder.
  DestroyWindows();
  boxes_.clear();
  MakeFile("victim.txt", "mine");
  const std::string planted = JournalHeader(JournalRunKind, folder_) +
                              JournalStepLine("..\\" + std::string("stolen.txt"), "victim.txt");
  MakeFile(Journal(), planted);
  Start();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "警告");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes_[0].text, "記録ファイル " + Journal() +
                                " は、このプログラムが書いたものとして読めません。\n\n"
                                "どのファイルも動かさずに、記録ファイルの名前を " +
                                folder_ + "\\KVTrun.bad に変えました。");
  EXPECT_EQ(FileBytes("victim.txt"), "mine");
  EXPECT_FALSE(FileExists(folder_ + "\\..\\stolen.txt"));
  EXPECT_FALSE(FileExists(Journal()));
  EXPECT_EQ(FileBytes("KVTrun.bad"), planted);
}

// Not a test of its own: the other Korvath of the test below, started by
// it as a second process of this program. It holds the journal named in
// KORVATH_HOLD_JOURNAL, as a run does, sets the event KORVATH_HOLD_READY,
// and lets go once the event KORVATH_HOLD_RELEASE is set.
TEST(OtherKorvath, HoldsAJournalUntilReleased) {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"KORVATH_HOLD_JOURNAL", path, MAX_PATH) == 0) {
    GTEST_SKIP() << "started by AJournalAnotherKorvathHoldsIsNeitherRolledBackNorReplaced";
  }
  Win32FileSystem files;
  FileSystem::JournalHold how = FileSystem::JournalHold::Missing;
  const std::unique_ptr<HeldJournal> held = files.HoldJournal(Narrow(path), false, how);
  ASSERT_NE(held, nullptr);
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"KORVATH_HOLD_READY");
  HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, L"KORVATH_HOLD_RELEASE");
  ASSERT_TRUE(ready && release);
  SetEvent(ready);
  EXPECT_EQ(WaitForSingleObject(release, 60000), WAIT_OBJECT_0);
  CloseHandle(ready);
  CloseHandle(release);
}

// A run of another Korvath under way, its journal held by that process:
// this window's start says so and offers no roll-back, its Execute refuses
// with the same message and renames nothing, and the journal is left as
// the other wrote it. Once the other is gone, the start asks as for any
// run cut off.
TEST_F(JournalTrustTest, AJournalAnotherKorvathHoldsIsNeitherRolledBackNorReplaced) {
  MakeFile("p1.txt", "first");
  MakeFile("b.txt", "second");
  const std::string live =
      JournalHeader(JournalRunKind, folder_) + JournalStepLine("a.txt", "p1.txt", "i1");
  MakeFile(Journal(), live);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"KORVATH_HOLD_READY");
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, L"KORVATH_HOLD_RELEASE");
  ASSERT_TRUE(ready && release);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command =
      L"\"" + std::wstring(self) + L"\" --gtest_filter=OtherKorvath.HoldsAJournalUntilReleased";
  SetEnvironmentVariableW(L"KORVATH_HOLD_JOURNAL", Widen(Journal()).c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION other{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &other));
  SetEnvironmentVariableW(L"KORVATH_HOLD_JOURNAL", nullptr);
  ASSERT_EQ(WaitForSingleObject(ready, 60000), WAIT_OBJECT_0);

  const std::string busy = "別の Korvath が、\n" + folder_ +
                           "\nのファイル名を変換しています。\n\nその変換が終わるまで、"
                           "ファイル名の変換と「元に戻す」はできません。";
  answer_ = IDYES;
  Start();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, busy);
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(form_->UndoAvailable());
  boxes_.clear();
  RenameAllTo("x");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, busy);
  EXPECT_EQ(FileBytes("p1.txt"), "first");
  EXPECT_EQ(FileBytes("b.txt"), "second");

  SetEvent(release);
  EXPECT_EQ(WaitForSingleObject(other.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(other.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(other.hThread);
  CloseHandle(other.hProcess);
  CloseHandle(ready);
  CloseHandle(release);
  EXPECT_EQ(FileBytes(Journal()), live);

  DestroyWindows();
  boxes_.clear();
  answer_ = IDNO;
  Start();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find("途中で止まっていました"), std::string::npos) << boxes_[0].text;
  EXPECT_EQ(FileBytes(Journal()), live);
}

// After the run another program renames p2 to moved and p3 to p2. The undo
// asks naming the folder and the count, runs through the run's driver
// (Execute reads "中止", the fields are locked), gives p1 its old name back,
// and skips and lists today's p2 (another file) and the gone p3. A log-off
// asked for during a run is refused while it lasts, and once cancelled
// leaves the window open after the run.
TEST_F(JournalTrustTest, UndoSkipsAFileAnotherProgramGaveTheNameAndALogOffWaits) {
  MakeFile("a.txt", "aaaa");
  MakeFile("b.txt", "bbbbbbbb");
  MakeFile("c.txt", "cccccccccccc");
  Start();
  HookedFileSystem& files = HookFiles();
  LRESULT logOff = TRUE;
  files.OnRename = [&](int call) {
    if (call != 2) return;
    logOff = SendMessageW(form_->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendMessageW(form_->Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  };
  RenameAllTo("p");
  Pump();
  EXPECT_EQ(logOff, FALSE);
  ASSERT_TRUE(IsWindow(form_->Handle()));
  ASSERT_EQ(FileBytes("p3.txt"), "cccccccccccc");
  ASSERT_TRUE(MoveFileW(L"p2.txt", L"moved.txt"));
  ASSERT_TRUE(MoveFileW(L"p3.txt", L"p2.txt"));

  std::string buttonDuringUndo;
  bool fieldLocked = false;
  files.OnRename = [&](int) {
    buttonDuringUndo = TSetupForm1::WindowText(controls_->BitBtn1);
    fieldLocked = !IsWindowEnabled(controls_->ComboBox1);
  };
  boxes_.clear();
  Menu(kCmdKUndo1);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "直前のファイル名の変換を元に戻します。\n\n" + folder_ +
                                "\nの3個のファイルが、元の名前に戻ります。\n\nよろしいですか？");
  EXPECT_EQ(boxes_[1].caption, "警告");
  EXPECT_EQ(boxes_[1].text,
            "2個のファイルは、元の名前に戻せませんでした。\n\n"
            "p3.txt → c.txt：ファイルが見つかりません。\n"
            "p2.txt → b.txt：変換の後で、別のファイルに置き換わっています。");
  EXPECT_EQ(buttonDuringUndo, "中止");
  EXPECT_TRUE(fieldLocked);
  EXPECT_EQ(TSetupForm1::WindowText(controls_->BitBtn1), "実行");
  EXPECT_EQ(FileBytes("a.txt"), "aaaa");
  EXPECT_EQ(FileBytes("p2.txt"), "cccccccccccc");
  EXPECT_EQ(FileBytes("moved.txt"), "bbbbbbbb");
  EXPECT_FALSE(FileExists("b.txt"));
  EXPECT_FALSE(form_->UndoAvailable());
}

// Esc during an undo asks, and Yes stops it; what it did not reach can be
// undone afterwards.
TEST_F(JournalTrustTest, EscStopsAnUndoAndTheRestCanBeUndoneLater) {
  for (char c = 'a'; c <= 'h'; ++c) MakeFile(std::string(1, c) + ".txt", std::string(1, c));
  Start();
  HookedFileSystem& files = HookFiles();
  RenameAllTo("p");
  Pump();
  ASSERT_TRUE(FileExists("p8.txt"));
  files.OnRename = [&](int call) {
    if (call == 8 + 3) PostMessageW(controls_->BitBtn1, WM_KEYDOWN, VK_ESCAPE, 1);
  };
  boxes_.clear();
  Menu(kCmdKUndo1);
  Pump();
  ASSERT_GE(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, "元に戻す操作を中止します。\n\nよろしいですか？");
  int back = 0;
  for (char c = 'a'; c <= 'h'; ++c) back += FileExists(std::string(1, c) + ".txt");
  EXPECT_GT(back, 0);
  EXPECT_LT(back, 8);
  ASSERT_TRUE(form_->UndoAvailable());
  files.OnRename = nullptr;
  Menu(kCmdKUndo1);
  for (char c = 'a'; c <= 'h'; ++c) {
    EXPECT_EQ(FileBytes(std::string(1, c) + ".txt"), std::string(1, c));
  }
  EXPECT_FALSE(form_->UndoAvailable());
}

// A window the system will not create ends its creation with an error,
// rather than leaving a handle of null to everything after it.
class RefusedForm : public TForm {
 public:
  void Create() { CreateHandle({.className = "KorvathRefusedForm", .caption = "x"}); }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_CREATE) return -1;
    return TForm::WndProc(msg, wparam, lparam);
  }
};

TEST(FormCreation, ARefusedWindowIsAnError) {
  RefusedForm form;
  EXPECT_THROW(form.Create(), std::runtime_error);
  EXPECT_EQ(form.Handle(), nullptr);
}

}  // namespace
}  // namespace korvath
