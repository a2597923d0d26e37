// Korvath on an English Windows: this test runs under Wine's English locale
// (display language English, ANSI code page 1252), so the start-up picks
// the English texts as it does for every user whose Windows is not
// Japanese. A rename is asked, reported and undone in English; the settings
// file stays what a Japanese Windows reads.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CheckListBox.h"
#include "FilterComboBox.h"
#include "MainWindowFixture.h"
#include "Setup.h"
#include "StringGrid.h"
#include "Texts.h"

namespace korvath {
namespace {

using testsupport::FileExists;
using testsupport::MenuText;

class EnglishWindowsTest : public testsupport::MainWindowFixture {
 protected:
  EnglishWindowsTest() : MainWindowFixture("korvath_english_") {}

  std::string Text(HWND window) { return TSetupForm1::WindowText(window); }
  void ClickButton(HWND button) { ClickAt(button, 5, 5); }
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(EnglishWindowsTest, MenusQuestionsAndReportsInEnglishAndTheSettingsFileUnchanged) {
  ASSERT_NE(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE)
      << "run under an English display language (KORVATH_WINE_LOCALE=en_US.UTF-8)";
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) testsupport::MakeFile(name, "x");
  CreateDirectoryW(L"sub", nullptr);
  CreateDirectoryW(L"sub\\表2.txt", nullptr);  // holds b.txt's new name
  Start();
  EXPECT_EQ(CurrentLanguage(), Language::English);
  EXPECT_EQ(Text(form_->Handle()), "Korvath 1.7");

  // The menus, with an access key of its own for every item.
  std::vector<std::string> titles;
  for (int i = 0; i < GetMenuItemCount(controls_->MainMenu1); ++i) {
    titles.push_back(MenuText(controls_->MainMenu1, static_cast<UINT>(i), MF_BYPOSITION));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Select", "&View", "&Help"}));
  EXPECT_EQ(MenuText(controls_->KFile1, kCmdKUndo1, MF_BYCOMMAND), "&Undo Rename");
  EXPECT_EQ(MenuText(controls_->KFile1, kCmdKExit1, MF_BYCOMMAND), "E&xit");
  EXPECT_EQ(MenuText(controls_->Edit2, kCmdChange1, MF_BYCOMMAND), "&Invert Selection");
  EXPECT_EQ(MenuText(controls_->KSort1, kCmdKNatural1, MF_BYCOMMAND), "N&atural Order");
  EXPECT_EQ(MenuText(controls_->KHelp1, kCmdKAbout1, MF_BYCOMMAND), "&About Korvath...");
  form_->SetMenuItemVisible(kCmdKStatus1, true);
  std::size_t walked = 0;
  for (const std::string& fault :
       testsupport::AccessKeyFaults({controls_->MainMenu1, controls_->PopupMenu1}, walked)) {
    ADD_FAILURE() << fault;
  }
  form_->SetMenuItemVisible(kCmdKStatus1, false);

  // The naming column, the file types and the status bar; a file's time in
  // the user's own date and time format ("12/3/2026 10:15:12 AM").
  EXPECT_EQ(Text(controls_->Label2), "Prefix:");
  EXPECT_EQ(Text(controls_->ComboBox3), "(unchanged)");
  EXPECT_EQ(Text(controls_->Panel3), "1");
  EXPECT_EQ(Text(controls_->BitBtn1), "Rename");
  EXPECT_EQ(testsupport::ComboItem(controls_->FilterComboBox1->Handle(), 0), "All Files (*.*)");
  ClickAt(controls_->CheckListBox1->Handle(), 60, 8);
  EXPECT_EQ(Status(3), "3 files");
  EXPECT_EQ(Status(0), "a.txt");
  EXPECT_EQ(Status(1), "0 KB");
  const std::string time = Status(2);
  EXPECT_TRUE(EndsWith(time, " AM") || EndsWith(time, " PM")) << time;
  EXPECT_LT(time.find('/'), 3u) << time;  // the month first, not a Japanese year

  // A rename of three files into a subfolder, where one name is taken by a
  // folder: the question counts them, the report names the one refused.
  ClickButton(controls_->SpeedButton14);  // check all
  SetFieldText(controls_->ComboBox1, "sub\\表");
  LeavePrefixField();
  ClickButton(controls_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Rename 3 files?");
  EXPECT_EQ(boxes_[0].caption, "Korvath");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  const std::string head = "1 file was not renamed.\n\nb.txt → sub\\表2.txt: ";
  EXPECT_EQ(boxes_[1].text.rfind(head, 0), 0u) << boxes_[1].text;
  EXPECT_GT(boxes_[1].text.size(), head.size()) << "a reason";
  EXPECT_EQ(boxes_[1].caption, "Korvath");
  EXPECT_EQ(boxes_[1].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(FileExists("sub\\表1.txt"));
  EXPECT_TRUE(FileExists("sub\\表3.txt"));
  EXPECT_EQ(Status(3), "2 renamed");
  EXPECT_EQ(controls_->StringGrid1->Cell(1, 0), " (renamed)");

  // Undo asks in English, with the plural of its count.
  boxes_.clear();
  Menu(kCmdKUndo1);
  ASSERT_GE(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Undo the last rename?\n\n2 files in\n" + form_->ShownFolder() +
                                "\nwill get back their old names.");
  EXPECT_TRUE(FileExists("a.txt"));
  EXPECT_TRUE(FileExists("c.txt"));

  // The About box and the options dialog.
  EXPECT_EQ(Text(about_->Handle()), "About Korvath");
  EXPECT_EQ(Text(aboutControls_->BitBtn1), "OK");
  EXPECT_EQ(Text(option_->Handle()), "Options");
  EXPECT_EQ(Text(optionControls_->BitBtn3), "&Add");

  // The settings file has the keys a Japanese Windows reads, in Shift-JIS
  // although this Windows' code page is 1252.
  Close();
  const std::string ini = testsupport::FileBytes(folder_ + "\\KVTset.ini");
  EXPECT_NE(ini.find("[SetUp]\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\r\nTopHst0=sub\\\x95\x5C\r\n"), std::string::npos) << "sub\\表 in Shift-JIS";
  EXPECT_EQ(ini.find("\xE8\xA1\xA8"), std::string::npos) << "no 表 in UTF-8";
}

}  // namespace
}  // namespace korvath
