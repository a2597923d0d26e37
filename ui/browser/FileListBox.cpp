#include "FileListBox.h"

#include "FilterEntries.h"
#include "FolderSearch.h"
#include "IoError.h"
#include "SortOrder.h"
#include "WideText.h"
#include "Win32Collation.h"

namespace korvath {
namespace {

// Entries that are not listed: folders, hidden and system files, volume labels.
constexpr DWORD kSkippedAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 /* volume */;

// The name at this position (from 0) turns the pointer into the hourglass.
constexpr std::size_t kHourglassFrom = 100;

// Shows the hourglass from the 100th name on and puts the remembered pointer
// back at the end of the reading, also when it fails.
class ReadingCursor {
 public:
  ReadingCursor() : remembered_(GetCursor()) {}
  ReadingCursor(const ReadingCursor&) = delete;
  ReadingCursor& operator=(const ReadingCursor&) = delete;
  ~ReadingCursor() {
    if (busy_) SetCursor(remembered_);
  }
  void Counted(std::size_t names) {
    if (!busy_ && names > kHourglassFrom) {
      busy_ = true;
      SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    }
  }

 private:
  HCURSOR remembered_;
  bool busy_ = false;
};

bool Listed(const FolderEntry& entry) { return (entry.Attributes & kSkippedAttributes) == 0; }

}  // namespace

TFileListBox::~TFileListBox() {
  if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

void TFileListBox::Create(HWND parent, int id, int left, int top, int width, int height, HFONT font,
                          const std::vector<FolderEntry>* listing) {
  // A hidden owner-data list: it only gives the file list a window of its own.
  handle_ = CreateWindowExW(0, L"LISTBOX", L"",
                            WS_CHILD | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_EXTENDEDSEL |
                                LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                            left, top, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (handle_ && font) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  created_ = true;
  if (directory_.empty()) directory_ = CurrentFolder();
  ReadNames(listing);
}

void TFileListBox::SetBounds(int left, int top, int width, int height) {
  if (handle_) MoveWindow(handle_, left, top, width, height, FALSE);
}

void TFileListBox::ListFolderFiles() { ReadNames(nullptr); }

void TFileListBox::ReadNames(const std::vector<FolderEntry>* listing) {
  if (!created_) return;
  if (!EnterFolder(directory_)) RaiseLastIoError();

  ReadingCursor cursor;
  std::vector<std::string> names;
  std::vector<std::uint64_t> lastWrites;
  for (const std::string& pattern : SplitMaskPatterns(mask_)) {
    if (pattern.empty()) continue;
    std::vector<FolderEntry> searched;
    const bool reuse = listing && pattern == "*.*";
    if (!reuse) searched = SearchFolder(pattern);
    for (const FolderEntry& entry : reuse ? *listing : searched) {
      if (!Listed(entry)) continue;
      names.push_back(entry.Name);
      lastWrites.push_back(entry.LastWrite);
      cursor.Counted(names.size());
    }
  }
  // One key per name and one stable sort (in the name order, the order a
  // sorted list control keeps), without a comparison call per pair.
  SortFolderNames(order_, names, lastWrites);
  names_ = std::move(names);
  lastWrites_ = std::move(lastWrites);
  ++reading_;
  itemIndex_ = names_.empty() ? -1 : 0;
  if (handle_) SendMessageW(handle_, LB_SETCOUNT, names_.size(), 0);
  Changed();
}

void TFileListBox::Changed() {
  editText_ = mask_;
  if (fileEdit_) {
    SetWindowTextW(fileEdit_, Widen(editText_).c_str());
    SendMessageW(fileEdit_, EM_SETSEL, 0, -1);
  }
  if (OnChange) OnChange();
}

void TFileListBox::SetFileMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  ListFolderFiles();
}

void TFileListBox::SetDirectory(const std::string& folder,
                                const std::vector<FolderEntry>* listing) {
  // Any other spelling may be another folder (a and A side by side).
  if (!directory_.empty() && folder == directory_) return;
  if (!directory_.empty() && FolderExists(directory_)) EnterFolder(directory_);
  if (!EnterFolder(folder)) RaiseLastIoError();
  directory_ = CurrentFolder();
  ReadNames(listing);
}

void TFileListBox::SetOrder(FileOrder order) {
  if (order == order_) return;
  order_ = order;
  SortFolderNames(order_, names_, lastWrites_);
  // The names stand in a new order: to the check list this is a new reading.
  ++reading_;
}

}  // namespace korvath
