#pragma once
// What the program reads from the settings file at start-up and the
// sequence that writes the whole file back (at closing and at the options
// dialog's OK).

#include <stdexcept>
#include <string>
#include <vector>

#include "FileOrder.h"
#include "Histories.h"
#include "ProfileStore.h"

namespace korvath {

// The start-up folder followed by "\KVTset.ini"; at a drive root the folder
// already ends in "\" and the path holds two in a row, which Windows accepts.
std::string ComposeSettingsPath(const std::string& startupFolder);

// The main window's design position, used when the file holds none.
inline constexpr int kDesignLeft = 198;
inline constexpr int kDesignTop = 95;

struct WindowPosition {
  int Left = kDesignLeft;
  int Top = kDesignTop;
};

// No screen reaches this far; an edge past it is held here, so that the
// edge plus the window's size stays an int (the window then stands off
// every screen and opens at its design position).
inline constexpr int kFarthestWindowEdge = 32767;

// Form/Left and Form/Top; an edge below 1 becomes 0, one past
// kFarthestWindowEdge becomes kFarthestWindowEdge.
WindowPosition ReadWindowPosition(ProfileStore& store);
FolderHistory ReadFolderHistory(ProfileStore& store);
TextHistory ReadPrefixHistory(ProfileStore& store);
TextHistory ReadSuffixHistory(ProfileStore& store);

// The one bound on the user's masks: reading stops here (a hand-edited
// FileCount may be absurd, 2147483647) and the options dialog's Add refuses
// a mask past it, so no mask the user has seen is lost at the next start.
inline constexpr int kMaxUserMasks = 1000;

// The options dialog's rows: File0 ... File<FileCount>, empty ones included;
// none when FileCount is below 0. FileCount reads with default 0 and counts
// at most kMaxUserMasks rows.
std::vector<std::string> LoadUserMasks(ProfileStore& store);

// Option/Order: the file list's order; a file without the key (or with any
// other value than 1, 2 or 3) gives the name order; the order set by hand
// is never stored.
FileOrder ReadFileOrder(ProfileStore& store);

// Everything a whole-file save writes.
struct SettingsToSave {
  WindowPosition Position;
  const FolderHistory& DirHistory;
  const TextHistory& PrefixHistory;
  const TextHistory& SuffixHistory;
  const std::vector<std::string>& UserMasks;
  FileOrder Order = FileOrder::Name;
};

struct SaveResult {
  bool Succeeded = true;
  std::string FailedSection;  // the key that could not be written
  std::string FailedKey;
  explicit operator bool() const { return Succeeded; }
};

// Writes Form/Left, Form/Top, DirHst0-6, TopHst0-32, BtmHst0-32,
// Option/FileCount (rows - 1) and File0 ... File<rows-1>, in that order,
// empty slots as empty values, and so the slots whose text the store cannot
// hold (store.CanHold); then Option/Order, unless the order is the
// name order and the file has no Order yet (such a file stays exactly as
// versions without the key write it). Stops at the first key that cannot be
// written; keys after it are left as they were.
SaveResult SaveWholeSettings(ProfileStore& store, const SettingsToSave& settings);

// The message of a failed save, naming the settings file.
std::string WriteFailureMessage(const std::string& settingsPath);

// Raised when a save fails, carrying WriteFailureMessage.
class ESettingsWriteError : public std::runtime_error {
 public:
  explicit ESettingsWriteError(const std::string& settingsPath)
      : std::runtime_error(WriteFailureMessage(settingsPath)) {}
};

}  // namespace korvath
