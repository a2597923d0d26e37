// The main window's settings steps: where the settings file lives, what the
// window reads from it at start-up and writes back at closing, and the
// recent-entry histories.
//
// For now the window starts at its design position in the start-up folder,
// with empty histories and the built-in file types, and saves nothing.

#include <string>

#include "Setup.h"

namespace korvath {

namespace {
std::string CurrentFolder() {
  DWORD size = GetCurrentDirectoryA(0, nullptr);
  std::string folder(size, '\0');
  DWORD length = GetCurrentDirectoryA(size, folder.data());
  folder.resize(length < size ? length : 0);
  return folder;
}

constexpr char kBuiltInFilter[] =
    "すべてのファイル (*.*)|*.*|"
    "ビットマップ イメージ (*.bmp;*dib)|*.bmp;*dib|"
    "JPEG イメージ (*.jpg;*jpeg;*jpe)|*.jpg;*jpeg;*jpe|"
    "GIF イメージ (*.gif)|*.gif|"
    "PNG イメージ (*.png)|*.png|"
    "TIF イメージ (*.tif)|*.tif|"
    "アイコン (*.ico)|*.ico|"
    "テキスト文書 (*.txt)|*.txt|"
    "カンマ区切りテキストファイル (*.csv)|*.csv|"
    "HTML文書 (*.htm;*.html)|*.htm;*.html|"
    "リッチテキスト形式 (*.rtf)|*.rtf|"
    "Word文書 (*.doc)|*.doc|"
    "Excelワークシート (*.xls)|*.xls|"
    "C言語関連ファイル (*.c;*.css;*.h)|*.c;*.css;*.h|"
    "Java関連ファイル (*.java;*.h)|*.java;*.h|"
    "WAVE サウンド (*.wav)|*.wav|"
    "MIDI シーケンス (*.mid;*.midi;*rmi)|*.mid;*.midi;*rmi|"
    "MP3形式 サウンド (*.mp3)|*.mp3|"
    "ビデオクリップ (*.avi)|*.avi";
}  // namespace

void TSetupForm1::ComputeSettingsPath() { SettingsPath = CurrentFolder() + "\\KVTset.ini"; }

// The design position stays.
void TSetupForm1::ReadWindowPosition() {}

void TSetupForm1::ReadFolderHistory() { ShowFolder(CurrentFolder()); }

void TSetupForm1::ReadPrefixSuffixHistories() {}

void TSetupForm1::BuildStartupFilterList() { ApplyFilter(kBuiltInFilter); }

void TSetupForm1::LoadOptionMasks() {}

bool TSetupForm1::SaveSettings() { return true; }

void TSetupForm1::RecordCurrentFolder() { DirHistory[0] = ShownFolder(); }

void TSetupForm1::ComboBox1Exit() {}

void TSetupForm1::ComboBox2Exit() {}

// File menu refresh: Property only with a highlighted line, the recent
// folders (none yet), the file count.
void TSetupForm1::KFile1Click() {
  SetMenuItemEnabled(kCmdKProperty1, HighlightedIndex() != -1);
  bool any = false;
  for (int i = 1; i <= 6; ++i) {
    bool filled = !DirHistory[i].empty();
    any = any || filled;
    SetMenuItemVisible(kCmdN11 + (i - 1), filled);
  }
  SetMenuItemVisible(kCmdN1, any);
  ShowFileCount();
}

void TSetupForm1::N11Click(int) {}

void TSetupForm1::Option1Click() {}

}  // namespace korvath
