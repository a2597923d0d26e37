// Folders and files handed to the program from outside: the command line
// ("Send To", a shortcut's target, a drop on the program's icon) and drops
// from Explorer onto the main window. Either shows a folder as any visit
// does, so the history records it, and checks the files named in it.

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Application.h"
#include "CheckListBox.h"
#include "FileListBox.h"
#include "IoError.h"
#include "MessageBox.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "Setup.h"
#include "SystemDlls.h"
#include "Texts.h"
#include "Utf8.h"
#include "WideText.h"
#include "Win32Collation.h"
#include "WorkingFolder.h"

namespace korvath {

namespace {

// The path resolved against the working folder, in the plain form.
std::string FullPath(const std::string& path) {
  const std::wstring wide = SystemPath(path);
  DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  full.resize(length < needed ? length : 0);
  if (full.rfind(LR"(\\?\UNC\)", 0) == 0) {
    full.replace(0, 8, LR"(\\)");
  } else if (full.rfind(LR"(\\?\)", 0) == 0) {
    full.erase(0, 4);
  }
  return Narrow(full);
}

struct HandedPath {
  std::string Full;
  bool Exists = false;
  bool IsFolder = false;
  std::string Folder;  // of a file: its folder (a root with its "\")
  std::string Name;    // of a file: its name
};

// One box for all the files handed over that are not checked, however many.
std::string LeftOutText(const std::string& folder, const std::vector<std::string>& paths) {
  std::string text = FormatText(kTextLeftOut, {std::to_string(paths.size()), folder}) + "\n";
  std::size_t shown = 0;
  for (const std::string& path : paths) {
    if (shown == ReportedFailureLimit) break;
    text += (shown++ == 0 ? "\n" : "") + path + "\n";
  }
  if (paths.size() > shown) {
    text += FormatText(kTextMoreFiles, {std::to_string(paths.size() - shown)}) + "\n";
  }
  text.pop_back();
  return text;
}

HandedPath Examine(const std::string& path) {
  HandedPath handed;
  handed.Full = FullPath(path);
  DWORD attributes = GetFileAttributesW(SystemPath(handed.Full).c_str());
  handed.Exists = attributes != INVALID_FILE_ATTRIBUTES;
  handed.IsFolder = handed.Exists && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (handed.Exists && !handed.IsFolder) {
    std::size_t slash = FindLastDelimiter(handed.Full, "\\");
    if (slash != std::string::npos) {
      handed.Folder = handed.Full.substr(0, slash);
      if (handed.Folder.size() == 2 && handed.Folder[1] == ':') handed.Folder += '\\';
      handed.Name = handed.Full.substr(slash + 1);
    }
  }
  return handed;
}

}  // namespace

// The first path decides the folder; the others count only as files in it.
// Every path is resolved before the folder changes, since a relative one is
// meant from the folder shown when it was handed over.
std::vector<std::string> TSetupForm1::ShowFolderOfPaths(const std::vector<std::string>& paths,
                                                        std::vector<std::string>& leftOut) {
  std::vector<std::string> names;
  if (paths.empty()) return names;
  std::vector<HandedPath> handed;
  for (const std::string& path : paths) handed.push_back(Examine(path));
  const HandedPath& first = handed.front();
  if (!first.Exists) {
    // The folder list reports it with its I/O error, as for any folder.
    ShowFolder(first.Full);
    return names;
  }
  ShowFolder(first.IsFolder ? first.Full : first.Folder);
  for (const HandedPath& path : handed) {
    if (!path.Name.empty() && SameFileName(path.Folder, ShownFolder())) {
      names.push_back(path.Name);
    } else if (&path != &first) {
      // Another folder, a file there or a path that is not there.
      leftOut.push_back(path.Full);
    }
  }
  return names;
}

void TSetupForm1::CheckNamedFiles(const std::vector<std::string>& names,
                                  std::vector<std::string> leftOut) {
  if (names.empty() && leftOut.empty()) return;
  std::unordered_set<std::string> wanted;
  for (const std::string& name : names) wanted.insert(LowerCaseFileName(name));
  std::size_t listed = 0;
  for (const FileEntry& entry : session_->Files)
    listed += wanted.count(LowerCaseFileName(entry.Name));
  std::unordered_set<std::string> kept;
  if (listed < wanted.size()) {
    // A file made since the folder was last read is found by reading it
    // again; the files checked so far stay checked.
    for (const FileEntry& entry : session_->Files) {
      if (entry.Checked) kept.insert(LowerCaseFileName(entry.Name));
    }
    FileListBox1->ListFolderFiles();
    RefillCheckList();
  }
  int first = -1;
  for (std::size_t i = 0; i < session_->Files.size(); ++i) {
    FileEntry& entry = session_->Files[i];
    const std::string key = LowerCaseFileName(entry.Name);
    if (kept.count(key)) entry.Checked = true;
    if (!wanted.count(key)) continue;
    entry.Checked = true;
    if (first < 0) first = static_cast<int>(i);
  }
  if (first >= 0) CheckListBox1->SetItemIndex(first);
  CheckListBox1->Repaint();
  if (!names.empty()) CheckListBox1Click();
  // A hidden file, or one the file type leaves out, is not in the list.
  std::unordered_set<std::string> listedNames;
  for (const FileEntry& entry : session_->Files) listedNames.insert(LowerCaseFileName(entry.Name));
  const std::string folder = ShownFolder();
  for (const std::string& name : names) {
    if (listedNames.count(LowerCaseFileName(name))) continue;
    leftOut.push_back(folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + name);
  }
  if (!leftOut.empty()) {
    ShowMessage(Handle(), LeftOutText(folder, leftOut), std::string(CollisionCaption),
                MB_OK | MB_ICONERROR);
  }
}

bool TSetupForm1::ShowStartPaths() {
  if (StartPaths.empty()) return false;
  try {
    startChecks_ = ShowFolderOfPaths(StartPaths, startLeftOut_);
    return true;
  } catch (const EInOutError& error) {
    // Reported, then the start goes on as without the paths.
    Application.ShowException(error);
    return false;
  }
}

void TSetupForm1::CheckStartFiles() {
  CheckNamedFiles(std::exchange(startChecks_, {}), std::exchange(startLeftOut_, {}));
}

// Files dropped on the folder already shown join the files checked there.
void TSetupForm1::FormDropFiles(HDROP drop) {
  static const auto query =
      SystemFunction<decltype(&DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
  static const auto finish = SystemFunction<decltype(&DragFinish)>(L"shell32.dll", "DragFinish");
  if (!query || !finish) return;
  std::vector<std::string> paths;
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = query(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(query(drop, i, path.data(), length + 1));
    paths.push_back(Narrow(path));
  }
  // Released before the folder is shown, which may end in an error report.
  finish(drop);
  // A run's list must not change under it.
  if (runInProgress_) return;
  std::vector<std::string> leftOut;
  std::vector<std::string> names = ShowFolderOfPaths(paths, leftOut);
  CheckNamedFiles(names, std::move(leftOut));
}

}  // namespace korvath
