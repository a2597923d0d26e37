// Renumbering a folder in place from the main window, stopped halfway by
// Esc: the files stay under their old or their new names, the displays say
// what was done and what was not reached, a second run with the same
// fields finishes the numbering in list order, and File > Undo takes that
// run back.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "HookedRenames.h"
#include "MainWindowFixture.h"
#include "RenameTexts.h"
#include "Setup.h"
#include "UserInput.h"
#include "Win32FileSystem.h"

namespace korvath {
namespace {

// The window's own file system, a little slower per rename (as in a large
// folder under Wine), that presses Esc on the Execute button once half the
// files are renamed and notes the progress panel then.
class EscapingFileSystem : public testsupport::HookedRenames {
 public:
  EscapingFileSystem(TSetupForm1& form, int escapeAt)
      : form_(testsupport::WindowAccess::Controls(form)), escapeAt_(escapeAt) {}

  void BeforeRename() override {
    Sleep(2);
    if (++renames_ == escapeAt_) {
      ProgressSeen = testsupport::StatusBarText(form_.StatusBar1, kPanelSize);
      testsupport::PressKey(form_.BitBtn1, VK_ESCAPE);
    }
  }

  std::string ProgressSeen;

 private:
  SetupFormControls& form_;
  int escapeAt_;
  int renames_ = 0;
};

class RenumberStopTest : public testsupport::MainWindowFixture {
 protected:
  RenumberStopTest() : MainWindowFixture("korvath_renumber_") { dialogKeys_ = true; }

  void ClickButton(HWND button) {
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
  }

  static std::string Numbered(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "p%03d.txt", n);
    return name;
  }

  // Every file of the folder with its content.
  std::map<std::string, std::string> Folder() {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(L"*", &data);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string name = Narrow(data.cFileName);
      if (name.rfind("KVT", 0) == 0) continue;  // settings and journals
      files[name] = testsupport::FileBytes(name);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return files;
  }
};

TEST_F(RenumberStopTest, EscHalfwayStopsAtOldOrNewNamesAndUndoRestoresTheFolder) {
  constexpr int kFiles = 200;
  std::map<std::string, std::string> before;
  for (int n = 1; n <= kFiles; ++n) {
    ASSERT_TRUE(testsupport::MakeFile(Numbered(n), std::to_string(n)));
    before[Numbered(n)] = std::to_string(n);
  }
  Start();
  auto files = std::make_unique<EscapingFileSystem>(*form_, kFiles / 2);
  EscapingFileSystem& escaping = *files;
  form_->ReplaceFileSystem(std::move(files));
  ClickButton(controls_->SpeedButton14);  // check all
  testsupport::TypeText(GetWindow(controls_->ComboBox1, GW_CHILD), "p");
  Pump();
  for (int i = 0; i < 2; ++i) ClickButton(controls_->SpeedButton11);  // 3 digits
  ClickButton(controls_->SpeedButton5);                                // start 2
  ASSERT_EQ(TSetupForm1::WindowText(controls_->Panel4), "p002");

  answer_ = IDYES;
  ClickButton(controls_->BitBtn1);
  Pump();
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxes_[0].text, ConfirmRenameText);
  EXPECT_EQ(boxes_[1].text, ConfirmStopText);
  // The progress counts files.
  EXPECT_EQ(escaping.ProgressSeen.substr(escaping.ProgressSeen.find(" / ")), " / 200");

  // The chain ran from its free end, p200 -> p201 first: the files from
  // some m up are one up, those below it untouched, none elsewhere.
  const std::map<std::string, std::string> after = Folder();
  ASSERT_EQ(after.size(), before.size());
  int done = 0;
  for (int n = kFiles; n >= 1 && after.count(Numbered(n + 1)) &&
                       after.at(Numbered(n + 1)) == std::to_string(n);
       --n) {
    ++done;
  }
  for (int n = 1; n <= kFiles - done; ++n) {
    EXPECT_EQ(after.count(Numbered(n)) ? after.at(Numbered(n)) : "<missing>", std::to_string(n));
  }
  EXPECT_GE(done, kFiles / 2);
  EXPECT_LT(done, kFiles);
  std::string count = testsupport::StatusBarText(controls_->StatusBar1, kPanelCount);
  if (!count.empty() && count[0] == '\t') count.erase(0, 1);
  EXPECT_EQ(count, CompletedCountText(done));
  // The report counts the files not reached; the start number stays at
  // the first of them (p001's 2), not past the numbers given from the
  // chain's far end, so the same fields run again finish in list order.
  EXPECT_EQ(boxes_[2].text, FormatText(kTextNotReached, {std::to_string(kFiles - done)}));
  EXPECT_EQ(TSetupForm1::WindowText(controls_->Panel2), "002");
  EXPECT_EQ(TSetupForm1::WindowText(controls_->BitBtn1), "実行");
  const std::map<std::string, std::string> stopped = Folder();

  boxes_.clear();
  ClickButton(controls_->SpeedButton14);  // check all again
  ClickButton(controls_->BitBtn1);
  Pump();
  ASSERT_EQ(boxes_.size(), 1u);  // the question only: no taken name, nothing refused
  std::map<std::string, std::string> oneUp;
  for (int n = 1; n <= kFiles; ++n) oneUp[Numbered(n + 1)] = std::to_string(n);
  EXPECT_EQ(Folder(), oneUp);
  EXPECT_EQ(TSetupForm1::WindowText(controls_->Panel2), "202");

  // Undo takes back the second run: the folder as the stop left it.
  ASSERT_TRUE(form_->UndoAvailable());
  boxes_.clear();
  Menu(kCmdKUndo1);
  ASSERT_EQ(boxes_.size(), 1u);  // the question, and no failures
  EXPECT_EQ(boxes_[0].text, ConfirmUndoText(folder_, static_cast<std::size_t>(kFiles - done)));
  EXPECT_EQ(Folder(), stopped);
  EXPECT_FALSE(form_->UndoAvailable());
}

}  // namespace
}  // namespace korvath
