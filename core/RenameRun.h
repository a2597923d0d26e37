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
  // True when a file (not a folder) has exactly this name (letter case
  // aside, as the file system compares). Never a pattern search.
  virtual bool Exists(const std::string& name) = 0;
  // Renames from to to; never replaces an existing file or folder. False
  // when refused.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // The system's text for why the last Rename was refused.
  virtual std::string LastFailureReason() = 0;
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
  // Refusal (error icon, OK): names that cannot be given before the run,
  // refused renames after it.
  virtual void Warn(std::string_view text, std::string_view caption) = 0;
  // The default beep after each successful rename.
  virtual void Beep() = 0;
  // Panel2 after StartNumber has moved on.
  virtual void ShowStartNumber(const std::string& text) = 0;
  // Status bar panel 3, "<n>個完了", repainted at once.
  virtual void ShowCompletedCount(const std::string& text) = 0;
  // Re-reads the folder's file list and returns its names in list order;
  // the check list goes back to its first entry. The run then replaces
  // RenameSession::Files with them, all unchecked.
  virtual std::vector<std::string> RereadFiles() = 0;
};

struct RenameRunResult {
  bool Refused = false;    // new names unusable: told so, nothing asked or changed
  bool Confirmed = false;  // false: refused or answered No, nothing changed
  int Visited = 0;         // checked entries tried
  int CompletedCount = 0;  // successful renames
  int Collisions = 0;      // name taken: warned and skipped
  int Failures = 0;        // refused by the file system: reported after the run
};

// BitBtn1Click without the window. First checks every new name: one that
// would leave the shown folder or holds characters no name can hold is
// refused with one message before anything is asked. Then asks, and gives
// the k-th checked entry in list order the name the preview shows for it,
// ComposeNewName(StartNumber + k, own extension), with the number held at
// its limit. A taken name is warned and skipped, a refused rename skipped
// and reported in one box after the run; either way the number is used up,
// so StartNumber ends one past the last number given or skipped. Then
// re-reads Files and leaves preview in its completed state. After a Yes
// the window redraws its check list, preview grid and Execute button
// (preview.ExecuteEnabled()).
RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer);

}  // namespace korvath
