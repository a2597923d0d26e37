#pragma once
// The journal of a rename run: every step is written out before it is
// taken, so that a run cut off by a crash or a power loss can be rolled
// back at the next start, and a completed run can be undone later.
//
// The file is UTF-8 text after a byte order mark (earlier versions wrote
// Shift-JIS without one), one record a line, fields separated by tabs (no
// file name holds a tab):
//   KVTJ1 <tab> kind <tab> folder      kind is "run" or "undo"
//   S <tab> from <tab> to              a step about to be taken
//   F                                  the step above was refused
//   E                                  the run is over
// Names are relative to the folder.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

struct JournalStep {
  std::string From;
  std::string To;
  bool Failed = false;
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
std::string JournalStepLine(std::string_view from, std::string_view to);
inline constexpr std::string_view JournalFailedLine = "F\n";
inline constexpr std::string_view JournalEndLine = "E\n";

// Text is UTF-8, its byte order mark skipped. False when it is not a
// journal. A torn last line (cut off while being written) is ignored: its
// step was never taken.
bool ParseJournal(std::string_view text, Journal& journal);

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
