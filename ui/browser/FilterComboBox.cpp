#include "FilterComboBox.h"

#include "FileListBox.h"
#include "FilterEntries.h"
#include "WideText.h"
#include "Win32Collation.h"

namespace korvath {
namespace {
constexpr int kDropDownRows = 12;
constexpr int kComboFrame = 6;  // the closed box's height over its field height
}  // namespace

TFilterComboBox::~TFilterComboBox() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

void TFilterComboBox::Create(HWND parent, int id, int left, int top, int width, int height,
                             HFONT font) {
  id_ = id;
  handle_ = CreateWindowExW(
      0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, left,
      top, width, height + kDropDownRows * 16, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (font) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kComboFrame);
  RebuildEntries();
}

void TFilterComboBox::SetBounds(int left, int top, int width, int height) {
  if (!handle_) return;
  SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kComboFrame);
  SetWindowPos(handle_, nullptr, left, top, width, height + kDropDownRows * 16,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFilterComboBox::HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (msg != WM_COMMAND || !handle_ || reinterpret_cast<HWND>(lparam) != handle_ ||
      HIWORD(wparam) != CBN_SELCHANGE) {
    return false;
  }
  result = 0;
  Picked();
  return true;
}

void TFilterComboBox::RebuildEntries() {
  FilterEntries entries = ParseFilterEntries(filter_);
  descriptions_ = std::move(entries.Descriptions);
  masks_ = std::move(entries.Masks);
  itemIndex_ = descriptions_.empty() ? -1 : 0;
  if (!handle_) return;
  SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
  std::vector<std::wstring> texts;
  texts.reserve(descriptions_.size());
  std::size_t bytes = 0;
  for (const std::string& description : descriptions_) {
    texts.push_back(Widen(description));
    bytes += (texts.back().size() + 1) * sizeof(wchar_t);
  }
  SendMessageW(handle_, CB_INITSTORAGE, texts.size(), static_cast<LPARAM>(bytes));
  for (const std::wstring& text : texts) {
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TFilterComboBox::ApplyFilter(const std::string& filter) {
  if (SameFileName(filter, filter_)) return;
  ReplaceFilter(filter);
}

void TFilterComboBox::ReplaceFilter(const std::string& filter) {
  if (filter == filter_ && !descriptions_.empty()) {
    // The same entries: only the first is selected again.
    itemIndex_ = 0;
    if (handle_) SendMessageW(handle_, CB_SETCURSEL, 0, 0);
  } else {
    filter_ = filter;
    RebuildEntries();
  }
  if (fileList_) fileList_->SetFileMask(Mask());
  if (OnChange) OnChange();
}

int TFilterComboBox::ItemIndex() const {
  if (!handle_) return itemIndex_;
  return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
}

std::string TFilterComboBox::Mask() {
  int index = ItemIndex();
  if (index < 0 && !masks_.empty()) {
    index = static_cast<int>(masks_.size()) - 1;
    itemIndex_ = index;
    if (handle_) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  if (index < 0 || index >= static_cast<int>(masks_.size())) return "*.*";
  return masks_[static_cast<std::size_t>(index)];
}

void TFilterComboBox::Pick(int index) {
  itemIndex_ = index;
  if (handle_) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Picked();
}

void TFilterComboBox::Picked() {
  itemIndex_ = ItemIndex();
  // The control reports a pick as a change and as a click: the mask is set
  // and the change event raised twice; the second setting reads nothing.
  for (int round = 0; round < 2; ++round) {
    if (fileList_) fileList_->SetFileMask(Mask());
    if (OnChange) OnChange();
  }
}

}  // namespace korvath
