#include "FileListBox.h"

#include <commctrl.h>

#include <algorithm>

#include "Application.h"
#include "CaptureDate.h"
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

// The job's posts to the hidden list.
constexpr UINT kMsgCaptureDates = WM_APP + 26;

bool IsListed(const FolderEntry& entry) { return (entry.Attributes & kSkippedAttributes) == 0; }

}  // namespace

TFileListBox::~TFileListBox() {
  job_.reset();
  if (handle_ && IsWindow(handle_)) {
    RemoveWindowSubclass(handle_, &SubclassProc, 1);
    DestroyWindow(handle_);
  }
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
  if (handle_) SetWindowSubclass(handle_, &SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
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
  std::vector<Listed> details;
  for (const std::string& pattern : SplitMaskPatterns(mask_)) {
    if (pattern.empty()) continue;
    std::vector<FolderEntry> searched;
    const bool reuse = listing && pattern == "*.*";
    if (!reuse) searched = SearchFolder(pattern);
    for (const FolderEntry& entry : reuse ? *listing : searched) {
      if (!IsListed(entry)) continue;
      names.push_back(entry.Name);
      details.push_back({entry.LastWrite, entry.Size});
      cursor.Counted(names.size());
    }
  }
  names_ = std::move(names);
  details_ = std::move(details);
  Sort();
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
  Sort();
  // The names stand in a new order: to the check list this is a new reading.
  ++reading_;
}

void TFileListBox::Resort() {
  Sort();
  ++reading_;
}

void TFileListBox::Sort() {
  job_.reset();  // it read for the names or the order that were
  captured_.clear();
  std::vector<std::uint64_t> times(names_.size());
  std::vector<DatedFile> unread;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    times[i] = details_[i].LastWrite;
    if (order_ != FileOrder::ShootingDate || !HasCaptureDateExtension(names_[i])) continue;
    DatedFile file{JoinPath(directory_, names_[i]), details_[i].Size, details_[i].LastWrite};
    PlacingDate date;
    if (!cache_.Find(file, date)) {
      unread.push_back(std::move(file));
    } else if (date) {
      times[i] = *date;
      captured_[names_[i]] = *date;
    }
  }
  // One key per name and one stable sort (in the name order, the order a
  // sorted list control keeps), without a comparison call per pair.
  const std::vector<std::size_t> positions = SortedFolderPositions(order_, names_, times);
  std::vector<std::string> names;
  std::vector<Listed> details;
  names.reserve(names_.size());
  details.reserve(names_.size());
  for (std::size_t position : positions) {
    names.push_back(std::move(names_[position]));
    details.push_back(details_[position]);
  }
  names_ = std::move(names);
  details_ = std::move(details);
  if (!unread.empty() && handle_) {
    job_ = std::make_unique<CaptureDateJob>(handle_, kMsgCaptureDates, ++jobNumber_,
                                            std::move(unread));
  }
}

void TFileListBox::DatesPosted(WPARAM number, LPARAM finished) {
  if (!job_ || number != job_->Number()) return;  // a job dropped since
  if (!finished) {
    if (OnDatesProgress) OnDatesProgress();
    return;
  }
  job_->Wait();
  for (std::size_t i = 0; i < job_->Files().size(); ++i) {
    cache_.Store(job_->Files()[i], job_->Dates()[i]);
  }
  Sort();
  ++reading_;
  if (OnDatesRead) OnDatesRead();
}

std::optional<std::uint64_t> TFileListBox::CaptureDateOf(const std::string& name) const {
  auto found = captured_.find(name);
  if (found == captured_.end()) return std::nullopt;
  return found->second;
}

void TFileListBox::MoveItem(std::size_t from, std::size_t to) {
  if (from >= names_.size() || to >= names_.size() || from == to) return;
  job_.reset();
  auto shift = [from, to](auto& items) {
    if (from < to) {
      std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to + 1);
    } else {
      std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
    }
  };
  shift(names_);
  shift(details_);
}

LRESULT CALLBACK TFileListBox::SubclassProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR, DWORD_PTR data) {
  if (msg == kMsgCaptureDates) {
    auto* self = reinterpret_cast<TFileListBox*>(data);
    // Inside the list's own window procedure, which no exception may leave.
    Application.Guard([&] { self->DatesPosted(wparam, lparam); });
    return 0;
  }
  return DefSubclassProc(window, msg, wparam, lparam);
}

}  // namespace korvath
