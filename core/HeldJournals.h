#pragma once
// Opening the journals beside the settings file: held by this program for
// as long as it works on them, read as text, and looked at before any of
// their steps is trusted.

#include <memory>
#include <string>

#include "RenameJournal.h"
#include "RenameRun.h"

namespace korvath {

struct OpenedJournal {
  FileSystem::JournalHold How = FileSystem::JournalHold::Missing;
  std::unique_ptr<HeldJournal> File;  // set when How is Held
  std::string Text;                   // UTF-8, an earlier version's Shift-JIS converted
  JournalLook Look = JournalLook::Empty;  // Foreign also when unreadable or too large
  std::string Kind, Folder;               // the header's (Cut and Finished)

  bool Held() const { return How == FileSystem::JournalHold::Held; }
};

// Holds the journal at path (create: made when missing) and reads it.
OpenedJournal OpenJournal(FileSystem& fileSystem, const std::string& path, bool create);

// The message for a journal another Korvath holds: the folder it renames
// in, read from the journal's header without disturbing it, when it can be.
std::string JournalBusyText(FileSystem& fileSystem, const std::string& path);

}  // namespace korvath
