#pragma once
// The rename run behind the Execute button, as an engine that knows the
// file system and the window only through two small interfaces.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RenameJournal.h"

namespace korvath {

class PreviewRows;
class RenameSession;

// A file held open to be renamed, so that the file whose identity is read
// is the file that is moved, whatever another program does to its name
// meanwhile.
class HeldFile {
 public:
  enum class Renamed {
    Yes,
    No,       // refused: the file keeps its name (the file system's LastFailureReason)
    Changed,  // the name no longer holds the file held: nothing was moved
    Unsure,   // called off before the answer: the rename may have been carried out
  };
  virtual ~HeldFile() = default;
  // The identity (FileSystem::FileIdentity) of the file held.
  virtual std::string Identity() = 0;
  // Renames the file held to to, never replacing an existing file or folder.
  virtual Renamed RenameTo(const std::string& to) = 0;
};

// Every file operation of the run, its journal and its undo. Names are
// relative to the current folder, or full paths.
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
  // True when anything (file or folder, hidden or not) has this name.
  virtual bool EntryExists(const std::string& name) = 0;
  // Every entry of a folder (files and folders, hidden ones too, not "."
  // and ".."); false when the folder cannot be read.
  virtual bool ListNames(const std::string& folder, std::vector<std::string>& names) = 0;
  // Opens a journal file and holds it until the HeldJournal is destroyed:
  // no other holder, in this program or another, gets it meanwhile
  // (Busy), though anyone may look at it (PeekFile). create: a missing
  // file is made (Held) rather than Missing. Failed: it cannot be opened.
  enum class JournalHold { Held, Missing, Busy, Failed };
  virtual std::unique_ptr<HeldJournal> HoldJournal(const std::string& path, bool create,
                                                   JournalHold& how) = 0;
  // At most most bytes from the start of a file, held by another or not,
  // without getting in the way of its holder; false when it cannot be read.
  virtual bool PeekFile(const std::string& path, std::size_t most, std::string& text) = 0;
  // Tells whether a file changed since it was last read (its size and
  // last-write time); empty when it is not there.
  virtual std::string FileStamp(const std::string& path) {
    (void)path;
    return {};
  }
  // True when this folder is a link to another place (a junction, a
  // symbolic link): a journal's step never goes through one.
  virtual bool IsLinkFolder(const std::string& path) {
    (void)path;
    return false;
  }
  virtual bool RemoveFile(const std::string& path) = 0;
  // Text of an earlier version's journal (Shift-JIS) as UTF-8; nullopt when
  // this file system cannot convert it.
  virtual std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) {
    (void)bytes;
    return std::nullopt;
  }
  // Tells this file apart from any other for as long as it lives, renamed
  // or not (a volume and file index, or its size and last-write time where
  // the file system keeps no lasting index); empty when it cannot be told.
  virtual std::string FileIdentity(const std::string& name) {
    (void)name;
    return {};
  }
  // Opens the file (never a folder; a link itself, not what it points at)
  // for renaming; null when it cannot be (gone, a folder, in use), the reason
  // in LastFailureReason. Here by its name: Identity and RenameTo go by name.
  virtual std::unique_ptr<HeldFile> Hold(const std::string& name);
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
  // Once the run is confirmed (done 0, name empty), then before each step
  // of a rename: files settled so far (renamed, skipped or refused) out of
  // the checked files, and the old name of the file in hand.
  virtual void ShowProgress(std::size_t done, std::size_t total, const std::string& name) {
    (void)done, (void)total, (void)name;
  }
  // Asked before each step: true ends the run after the step in hand. A
  // cycle of files under way (one of them under a temporary name) is
  // first brought forward or back to old and new names only.
  virtual bool StopRequested() { return false; }
};

struct RenameRunResult {
  bool Refused = false;    // new names unusable: told so, nothing asked or changed
  bool Confirmed = false;  // false: refused or answered No, nothing changed
  int Visited = 0;         // checked entries tried (stopped: up to the last reached)
  int CompletedCount = 0;  // successful renames, and files already under their new name
  int Collisions = 0;      // name taken: warned and skipped
  int Failures = 0;        // refused by the file system: reported after the run
  bool Stopped = false;    // ended early on StopRequested: the rest kept their names
  int NotReached = 0;      // stopped: files whose turn had not come (told in the report)
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
// A stopped run ends as a finished one (report, re-read, completed state);
// StartNumber then ends one past the last number given or used up before
// the stop, so the files left over get the next numbers in a later run.
RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer);

// Where a run happens: the shown folder (full path; the names of Files are
// relative to it) and the journal file beside the settings file.
struct RenamePlace {
  std::string Folder;
  std::string JournalPath;  // empty: no journal (and nothing to undo)
  // The undo's journal: a run does not start while one is left unfinished.
  std::string UndoJournalPath = {};
};

// The same run in place.Folder, journaled: the names held are read with
// one listing of the folder; a file whose new name is still held by
// another checked file waits for it to move away (one rename a file; a
// cycle of files sends one aside under a temporary name), so every file
// ends with the name the preview showed, and every step is in the journal
// before it is taken. A run that renames nothing leaves no journal.
RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer, const RenamePlace& place);

}  // namespace korvath
