#pragma once
// The journal of a rename run: every step is written out before it is
// taken, so that a run cut off by a crash or a power loss can be rolled
// back at the next start, and a completed run can be undone later.
//
// The file is UTF-8 text after a byte order mark (earlier versions wrote
// Shift-JIS without one), one record a line, fields separated by tabs (no
// file name holds a tab):
//   KVTJ1 <tab> kind <tab> folder      kind is "run" or "undo"
//   S <tab> from <tab> to [<tab> id]   a step about to be taken; id tells
//                                      the file apart from any other
//   F                                  the step above was refused
//   E                                  the run is over
// Names are relative to the folder.
//
// A journal is read back from beside the settings file, which may be any
// folder a user was sent: it is trusted only as far as it looks like what
// the run itself writes. The folder must be a full path on a drive or a
// share, and every name a plain name in it or one below it, never climbing
// out of it nor naming a drive or a root.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

struct JournalStep {
  std::string From;
  std::string To;
  bool Failed = false;
  std::string Identity;  // the file's identity when renamed; empty: not recorded
};

struct Journal {
  std::string Kind;
  std::string Folder;
  std::vector<JournalStep> Steps;
  bool Ended = false;
};

inline constexpr std::string_view JournalRunKind = "run";
inline constexpr std::string_view JournalUndoKind = "undo";

inline constexpr std::string_view JournalBom = "\xEF\xBB\xBF";

// The first record, byte order mark included.
std::string JournalHeader(std::string_view kind, std::string_view folder);
std::string JournalStepLine(std::string_view from, std::string_view to,
                            std::string_view identity = {});
inline constexpr std::string_view JournalFailedLine = "F\n";
inline constexpr std::string_view JournalEndLine = "E\n";

// Text is UTF-8, its byte order mark skipped. False when it is not a
// journal the run could have written: no header, a record of no known
// kind, a folder that is no full path (IsJournalFolder), a name that
// leaves the folder (IsJournalName). A torn last line (cut off while being
// written) is ignored: its step was never taken.
bool ParseJournal(std::string_view text, Journal& journal);

// "C:\photos", "C:\", "\\server\share\photos": a drive's or a share's
// full path, with no "." or ".." step and nothing the file system would
// read as another namespace ("\\?\", "\\.\").
bool IsJournalFolder(std::string_view folder);
// A name the run gives: a plain name, or one below the folder ("sub\a.txt")
// that the run's own new-name check accepts; no empty or "." step.
bool IsJournalName(std::string_view name);

// A file written a record at a time. Append hands the text to the system
// (it survives a crash of the program); Flush puts what was appended on
// the disk (it survives a power loss).
class JournalWriter {
 public:
  virtual ~JournalWriter() = default;
  virtual bool Append(std::string_view text) = 0;
  virtual bool Flush() = 0;
};

}  // namespace korvath
