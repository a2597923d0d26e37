#include "DriveComboBox.h"

#include "BrowserGlyphs.h"
#include "DirectoryListBox.h"
#include "ErrorMode.h"
#include "FolderSearch.h"
#include "Handles.h"
#include "ListRows.h"
#include "OwnerDrawn.h"
#include "SystemDlls.h"
#include "WideText.h"
#include "Win32Collation.h"

namespace korvath {
namespace {

constexpr int kItemHeight = 16;
constexpr int kDropDownRows = 10;
constexpr int kComboFrame = 6;  // the closed box's height over its field height
constexpr int kGlyphLeft = 2;
constexpr int kTextGap = 6;  // between a glyph and its text

std::string VolumeLabel(const std::string& root) {
  wchar_t label[MAX_PATH + 1] = {};
  CriticalErrorsOff quiet;
  if (!GetVolumeInformationW(Widen(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                             nullptr, 0)) {
    return "";
  }
  return Narrow(label);
}

std::string RemoteName(char upperLetter) {
  const wchar_t local[] = {static_cast<wchar_t>(upperLetter), L':', L'\0'};
  std::wstring remote(MAX_PATH + 1, L'\0');
  DWORD length = static_cast<DWORD>(remote.size());
  CriticalErrorsOff quiet;
  DWORD status = NetworkConnection(local, remote.data(), &length);
  if (status == ERROR_MORE_DATA) {
    remote.resize(length);
    status = NetworkConnection(local, remote.data(), &length);
  }
  if (status != NO_ERROR) return "";
  return Narrow(remote.c_str());
}

BrowserGlyph GlyphOf(unsigned driveType) {
  switch (driveType) {
    case DRIVE_REMOVABLE:
      return BrowserGlyph::Removable;
    case DRIVE_REMOTE:
      return BrowserGlyph::Network;
    case DRIVE_CDROM:
      return BrowserGlyph::CdRom;
    case DRIVE_RAMDISK:
      return BrowserGlyph::RamDisk;
    default:
      return BrowserGlyph::Fixed;
  }
}

}  // namespace

std::string DriveEntryText(char upperLetter, unsigned driveType, const std::string& label,
                           const std::string& remoteName) {
  std::string text(1, upperLetter);
  text += ':';
  if (driveType == DRIVE_REMOVABLE) return text;
  if (driveType != DRIVE_FIXED && driveType != DRIVE_CDROM && driveType != DRIVE_RAMDISK &&
      driveType != DRIVE_REMOTE) {
    return "";
  }
  text += ' ';
  // The volume texts take the case of the letter, always upper case here.
  if (driveType == DRIVE_REMOTE && !remoteName.empty()) {
    text += UpperCaseFileName(remoteName);
  } else {
    text += '[';
    text += UpperCaseFileName(label);
    text += ']';
  }
  return text;
}

TDriveComboBox::~TDriveComboBox() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
  if (dirList_) dirList_->driveCombo_ = nullptr;
  dirList_ = dirList;
  if (dirList_) dirList_->driveCombo_ = this;
}

void TDriveComboBox::Create(HWND parent, int id, int left, int top, int width, int height,
                            HFONT font) {
  id_ = id;
  font_ = font;
  handle_ = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                            left, top, width, height + kDropDownRows * kItemHeight, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (font_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kComboFrame);
  SendMessageW(handle_, CB_SETITEMHEIGHT, 0, kItemHeight);
  const std::string folder = CurrentFolder();
  drive_ = !folder.empty() && folder[0] != '\\' ? UpperLetter(folder[0]) : 0;
  BuildList();
}

void TDriveComboBox::SetDpi(Dpi dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  if (handle_) SendMessageW(handle_, CB_SETITEMHEIGHT, 0, dpi_.Scale(kItemHeight));
}

void TDriveComboBox::SetBounds(int left, int top, int width, int height) {
  if (!handle_) return;
  SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kComboFrame);
  SetWindowPos(handle_, nullptr, left, top, width,
               height + kDropDownRows * dpi_.Scale(kItemHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDriveComboBox::BuildList() {
  entries_.clear();
  const DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(present & (1u << i))) continue;
    const char lower = static_cast<char>('a' + i);
    const char upper = static_cast<char>('A' + i);
    const std::string root{lower, ':', '\\'};
    const UINT type = GetDriveTypeW(Widen(root).c_str());
    std::string label;
    std::string remote;
    if (type == DRIVE_REMOTE) remote = RemoteName(upper);
    // Removable drives are listed without touching the medium.
    if (type == DRIVE_FIXED || type == DRIVE_CDROM || type == DRIVE_RAMDISK ||
        (type == DRIVE_REMOTE && remote.empty())) {
      label = VolumeLabel(root);
    }
    std::string text = DriveEntryText(upper, type, label, remote);
    if (!text.empty()) entries_.push_back({std::move(text), type});
  }
  if (handle_) {
    SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    for (const Entry& entry : entries_) {
      SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry.Text).c_str()));
    }
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
  ChooseDrive(drive_);
}

std::vector<std::string> TDriveComboBox::Entries() const {
  std::vector<std::string> texts;
  for (const Entry& entry : entries_) texts.push_back(entry.Text);
  return texts;
}

int TDriveComboBox::ItemIndex() const {
  if (!handle_) return -1;
  return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
}

void TDriveComboBox::ChooseDrive(char letter) {
  letter = UpperLetter(letter);
  if (ItemIndex() >= 0 && letter == drive_) return;
  drive_ = letter;
  int found = -1;
  if (letter != 0) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const std::string& text = entries_[i].Text;
      if (text.size() >= 2 && UpperLetter(text[0]) == letter && text[1] == ':') {
        found = static_cast<int>(i);
        break;
      }
    }
    // With no matching entry the selection stays.
    if (found >= 0 && handle_) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  } else if (handle_) {
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
  if (dirList_) dirList_->EnterDrive(drive_);
  if (OnChange) OnChange();
}

void TDriveComboBox::Pick(int index) {
  if (handle_) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Picked();
}

void TDriveComboBox::Picked() {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  ChooseDrive(entries_[static_cast<std::size_t>(index)].Text[0]);
  // The control reports a pick as a change and once more as a click.
  if (OnChange) OnChange();
}

bool TDriveComboBox::HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  return HandleOwnerDrawnMessage(
      {handle_, id_, ODT_COMBOBOX, dpi_.Scale(kItemHeight), CBN_SELCHANGE}, msg, wparam, lparam,
      result, [this](const DRAWITEMSTRUCT& item) { DrawItem(item); }, [this] { Picked(); });
}

void TDriveComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& row = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) return;
  const Entry& entry = entries_[item.itemID];
  DrawBrowserGlyph(dc, GlyphOf(entry.DriveType), row.left + dpi_.Scale(kGlyphLeft), row.top,
                   row.bottom, dpi_);
  SelectGuard font(dc, font_);
  RECT textRect = row;
  textRect.left = row.left + dpi_.Scale(kGlyphLeft + kBrowserGlyphWidth + kTextGap);
  DrawListRowText(dc, textRect, Widen(entry.Text), selected);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
}

}  // namespace korvath
