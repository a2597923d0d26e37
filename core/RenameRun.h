#pragma once
// The rename run behind the Execute button, as an engine that knows the
// file system and the window only through two small interfaces.

#include <string>
#include <string_view>
#include <vector>

namespace korvath {

class PreviewRows;
class RenameSession;

// Names are relative to the shown folder, which is the current folder.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when a file (not a folder) answers to name. The Windows test is a
  // directory search, so "*" and "?" act as wildcards.
  virtual bool Exists(const std::string& name) = 0;
  // Renames from to to; never replaces an existing file or folder. False
  // when refused.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
};

// What the run needs from the window.
class RenameObserver {
 public:
  virtual ~RenameObserver() = default;
  // Yes/No question (information icon, Yes default); true for Yes.
  virtual bool Ask(std::string_view text, std::string_view caption) = 0;
  // Refusal (error icon, OK) for a new name that is already taken.
  virtual void WarnCollision(std::string_view text, std::string_view caption,
                             const std::string& newName) = 0;
  // The default beep after each successful rename.
  virtual void Beep() = 0;
  // Panel2 after StartNumber has advanced.
  virtual void ShowStartNumber(const std::string& text) = 0;
  // Status bar panel 3, "<n>個完了", repainted at once.
  virtual void ShowCompletedCount(const std::string& text) = 0;
  // Re-reads the folder's file list and returns its names in list order;
  // the check list goes back to its first entry. The run then replaces
  // RenameSession::Files with them, all unchecked.
  virtual std::vector<std::string> RereadFiles() = 0;
};

struct RenameRunResult {
  bool Confirmed = false;  // false: answered No, nothing changed
  int Visited = 0;         // checked entries tried
  int CompletedCount = 0;  // successful renames
  int Collisions = 0;      // warned and skipped
  int Failures = 0;        // refused by the file system, silently skipped
};

// BitBtn1Click without the window: asks, renames every checked entry in
// list order to ComposeNewName(StartNumber, own extension), advancing
// StartNumber after each success, then re-reads Files and leaves preview in
// its completed state. After a Yes the window redraws its check list,
// preview grid and Execute button (preview.ExecuteEnabled()).
RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer);

}  // namespace korvath
