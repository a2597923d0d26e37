#include "DirectoryListBox.h"

#include <commctrl.h>

#include <algorithm>

#include "BrowserGlyphs.h"
#include "DriveComboBox.h"
#include "ErrorMode.h"
#include "FileListBox.h"
#include "Handles.h"
#include "IoError.h"
#include "ListRows.h"
#include "OwnerDrawn.h"
#include "Utf8.h"
#include "WideText.h"
#include "Win32Collation.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

constexpr int kItemHeight = 16;
constexpr int kTextGap = 4;  // between a glyph and its text
constexpr UINT_PTR kSubclassId = 1;

// Drive letter of a full path in upper case, 0 for a network path.
char DriveLetterOf(const std::string& folder) {
  return folder.size() >= 2 && folder[1] == ':' ? UpperLetter(folder[0]) : 0;
}

bool IsDriveLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The working folder as it was, put back when the scope ends. Plain
// SetWorkingFolder: these visits must not become a drive's remembered
// folder.
class CurrentFolderRestorer {
 public:
  CurrentFolderRestorer() : saved_(CurrentFolder()) {}
  CurrentFolderRestorer(const CurrentFolderRestorer&) = delete;
  CurrentFolderRestorer& operator=(const CurrentFolderRestorer&) = delete;
  ~CurrentFolderRestorer() { SetWorkingFolder(saved_); }

 private:
  std::string saved_;
};

void Enter(const std::string& path) {
  if (!SetWorkingFolder(path)) RaiseLastIoError();
}

// Works out the full folder that path names, entering its parts one by one
// from the current folder; the current folder is restored afterwards.
std::string ResolveFolder(const std::string& path) {
  CurrentFolderRestorer restorer;
  std::string drive;
  std::string rest;
  if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0])) {
    drive = path.substr(0, 2);
    rest = path.substr(2);
  } else if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    std::size_t serverEnd = FindFirstDelimiter(path, "\\", 2);
    std::size_t shareEnd = serverEnd == std::string::npos
                               ? std::string::npos
                               : FindFirstDelimiter(path, "\\", serverEnd + 1);
    drive = path.substr(0, shareEnd);
    rest = shareEnd == std::string::npos ? "" : path.substr(shareEnd);
  } else {
    std::string current = CurrentFolder();
    std::string root = FolderRoot(current);
    drive = root.size() > 1 ? root.substr(0, root.size() - 1) : root;
    rest = path;
  }
  // A drive part that names no folder (a missing drive, an unreachable
  // share) fails here rather than leaving the parts below to the current drive.
  Enter(drive);

  if (rest.empty()) return CurrentFolder();
  std::string folderPart;
  std::string last;
  std::size_t slash = FindLastDelimiter(rest, "\\");
  if (slash == std::string::npos) {
    last = rest;
  } else {
    folderPart = slash == 0 ? "\\" : rest.substr(0, slash);
    last = rest.substr(slash + 1);
  }
  if (!folderPart.empty()) Enter(folderPart);
  if (!last.empty() && last.find_first_of("*?") == std::string::npos) {
    DWORD attributes = GetFileAttributesW(SystemPath(last).c_str());
    const bool isFile =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!isFile) Enter(last);
  }
  return CurrentFolder();
}

class RedrawHold {
 public:
  explicit RedrawHold(HWND window) : window_(window) {
    if (window_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  RedrawHold(const RedrawHold&) = delete;
  RedrawHold& operator=(const RedrawHold&) = delete;
  ~RedrawHold() {
    if (!window_) return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
  }

 private:
  HWND window_;
};

// Sets a flag for one scope, cleared also on failure.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { flag_ = false; }

 private:
  bool& flag_;
};

BrowserGlyph GlyphOf(FolderGlyph glyph) {
  switch (glyph) {
    case FolderGlyph::Open:
      return BrowserGlyph::FolderOpen;
    case FolderGlyph::Current:
      return BrowserGlyph::FolderCurrent;
    case FolderGlyph::Closed:
      break;
  }
  return BrowserGlyph::FolderClosed;
}

}  // namespace

TDirectoryListBox::~TDirectoryListBox() {
  if (handle_ && IsWindow(handle_)) {
    RemoveWindowSubclass(handle_, &TDirectoryListBox::ListProc, kSubclassId);
    DestroyWindow(handle_);
  }
}

void TDirectoryListBox::Create(HWND parent, int id, int left, int top, int width, int height,
                               HFONT font) {
  id_ = id;
  font_ = font;
  EnsureDirectory();
  handle_ = CreateOwnerDrawnListBox(parent, id, left, top, width, height);
  if (font_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, kItemHeight);
  SetWindowSubclass(handle_, &TDirectoryListBox::ListProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  ReadVolumeFlags();
  // The search just made stays for the file list's first reading.
  BuildLines();
}

std::vector<FolderEntry> TDirectoryListBox::TakeListing() {
  std::vector<FolderEntry> listing = std::move(listing_);
  listing_ = {};
  return listing;
}

void TDirectoryListBox::SetDpi(Dpi dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  if (!handle_) return;
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, dpi_.Scale(kItemHeight));
  InvalidateRect(handle_, nullptr, TRUE);
}

void TDirectoryListBox::SetBounds(int left, int top, int width, int height) {
  if (handle_) MoveWindow(handle_, left, top, width, height, TRUE);
}

const std::string& TDirectoryListBox::Directory() const {
  EnsureDirectory();
  return directory_;
}

void TDirectoryListBox::EnsureDirectory() const {
  if (directory_.empty()) directory_ = CurrentFolder();
}

void TDirectoryListBox::ReadVolumeFlags() {
  DWORD flags = 0;
  CriticalErrorsOff quiet;
  if (GetVolumeInformationW(Widen(FolderRoot(directory_)).c_str(), nullptr, 0, nullptr, nullptr,
                            &flags, nullptr, 0)) {
    caseSensitive_ = (flags & FILE_CASE_SENSITIVE_SEARCH) != 0;
    casePreserved_ = (flags & FILE_CASE_PRESERVED_NAMES) != 0;
  } else {
    // Unknown volume: show and compare names as they are spelt, case aside.
    caseSensitive_ = false;
    casePreserved_ = true;
  }
}

void TDirectoryListBox::BuildLines() {
  listing_ = SearchFolder(JoinPath(directory_, "*.*"));
  std::vector<std::string> subfolders;
  for (const FolderEntry& entry : listing_) {
    if (!(entry.Attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (entry.Attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    if (entry.Name == "." || entry.Name == "..") continue;
    subfolders.push_back(entry.Name);
  }
  SortCaseInsensitiveUnique(subfolders);
  lines_ = BuildFolderLines(directory_, subfolders);
  shownLine_ = ShownFolderLine(directory_);
  if (!handle_) return;
  RedrawHold hold(handle_);
  SendMessageW(handle_, LB_SETCOUNT, lines_.size(), 0);
  SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(shownLine_), 0);
}

void TDirectoryListBox::FolderChanged() {
  std::vector<FolderEntry> listing = std::move(listing_);
  listing_ = {};
  if (fileList_) fileList_->SetDirectory(directory_, &listing);
  if (OnChange) OnChange();
}

void TDirectoryListBox::ShowFolder(const std::string& path) {
  EnsureDirectory();
  // Only the very same text is the shown folder: a folder may hold siblings
  // that differ in letter case alone (a and A), whatever the volume reports.
  if (path.empty() || path == directory_) return;

  const std::string resolved = ResolveFolder(path);
  const std::string previous = directory_;
  try {
    const char newDrive = DriveLetterOf(resolved);
    if (newDrive != DriveLetterOf(directory_)) {
      FlagScope changing(inSetDir_);
      if (driveCombo_) {
        driveCombo_->ChooseDrive(newDrive);
      } else {
        EnterDrive(newDrive);
      }
    }
    if (FolderExists(directory_)) EnterFolder(directory_);
    if (!EnterFolder(resolved)) RaiseLastIoError();
  } catch (...) {
    directory_ = previous;
    SetWorkingFolder(previous);
    throw;
  }
  directory_ = CurrentFolder();
  ReadVolumeFlags();
  BuildLines();
  FolderChanged();
}

void TDirectoryListBox::ShowParentFolder() {
  std::string parent = ParentFolderPath(Directory());
  if (!parent.empty()) ShowFolder(parent);
}

void TDirectoryListBox::EnterDrive(char letter) {
  EnsureDirectory();
  letter = UpperLetter(letter);
  if (letter != 0 && letter == UpperLetter(directory_[0])) return;
  if (letter != 0) {
    // The drive's remembered folder may have gone with a swapped medium; its
    // root keeps the drive reachable.
    const char drive[] = {letter, ':', '\0'};
    const char root[] = {letter, ':', '\\', '\0'};
    if (!EnterFolder(drive) && !EnterFolder(root)) RaiseLastIoError();
    directory_ = CurrentFolder();
    ReadVolumeFlags();
  }
  if (!inSetDir_) {
    BuildLines();
    FolderChanged();
  }
}

void TDirectoryListBox::OpenLine(int index) {
  if (index < 0 || index >= static_cast<int>(lines_.size())) return;
  ShowFolder(FolderLinePath(directory_, lines_, index));
}

std::string TDirectoryListBox::DisplayText(int index) const {
  const std::string& text = lines_[static_cast<std::size_t>(index)].Text;
  if (!casePreserved_ && !caseSensitive_) return LowerCaseFileName(text);
  return text;
}

int TDirectoryListBox::ItemIndex() const {
  if (!handle_) return shownLine_;
  return static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

bool TDirectoryListBox::HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam,
                                            LRESULT& result) {
  return HandleOwnerDrawnMessage(
      {handle_, id_, ODT_LISTBOX, dpi_.Scale(kItemHeight), LBN_DBLCLK}, msg, wparam, lparam, result,
      [this](const DRAWITEMSTRUCT& item) { DrawItem(item); }, [this] { OpenLine(ItemIndex()); });
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (!BeginListRow(item, lines_.size())) return;
  HDC dc = item.hDC;
  const RECT& row = item.rcItem;
  const int index = static_cast<int>(item.itemID);
  const FolderLine& line = lines_[item.itemID];
  const int glyphLeft = row.left + dpi_.Scale(line.GlyphLeft);
  DrawBrowserGlyph(dc, GlyphOf(line.Glyph), glyphLeft, row.top, row.bottom, dpi_);

  const std::wstring text = Widen(DisplayText(index));
  SelectGuard font(dc, font_);
  RECT textRect = row;
  textRect.left = glyphLeft + dpi_.Scale(kBrowserGlyphWidth + kTextGap);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  RECT mark = textRect;
  mark.left -= dpi_.Scale(1);
  mark.right = std::min<LONG>(row.right, textRect.left + extent.cx + dpi_.Scale(2));
  FinishListRow(item, mark, textRect, text);
}

LRESULT CALLBACK TDirectoryListBox::ListProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                             UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TDirectoryListBox*>(data);
  switch (msg) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(hwnd, msg, wparam, lparam);
      auto* message = reinterpret_cast<const MSG*>(lparam);
      if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        // Enter opens the highlighted line as a double-click does; the parent
        // handles it inside its own window procedure, where errors are reported.
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(self->id_, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == '\r') return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &TDirectoryListBox::ListProc, kSubclassId);
      self->handle_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wparam, lparam);
}

}  // namespace korvath
