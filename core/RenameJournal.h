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

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

// One step as read back: views into the journal's text.
struct JournalStep {
  std::string_view From;
  std::string_view To;
  bool Failed = false;
  std::string_view Identity;  // the file's identity when renamed; empty: not recorded
};

// A journal read back. Its text is kept whole and each step is no more
// than where its line starts, so that a journal of millions of short steps
// costs a small multiple of its size.
class Journal {
 public:
  std::string Kind;
  std::string Folder;
  bool Ended = false;

  std::size_t StepCount() const { return steps_.size(); }
  JournalStep Step(std::size_t i) const;
  // True when a step taken carries no identity (an earlier version's
  // journal): its files can be known by their names only.
  bool LacksIdentities() const;

 private:
  friend bool ParseJournal(std::string text, Journal& journal);
  std::string text_;
  // Where each step's line starts; the top bit marks a refused step.
  std::vector<std::uint32_t> steps_;
};
// 32 MiB: a journal of 100,000 files that all step aside under temporary
// names, with names of 40 characters, and any settings file the program
// writes (1,000 masks of 2,047 characters) stay well below it.
inline constexpr std::size_t kLargestWholeFile = std::size_t{32} << 20;

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
// written) is ignored: its step was never taken. The text is kept by the
// journal; at most kLargestWholeFile of it.
bool ParseJournal(std::string text, Journal& journal);

// What a look at a journal's text tells without reading its steps.
enum class JournalLook {
  Empty,     // nothing, or cut off before its header: nothing was done
  Foreign,   // not a journal the run writes (its header, at least)
  Cut,       // no end line: cut off, or still being written
  Finished,  // ends with its end line
};
// kind and folder are the header's (when not Empty nor Foreign). A
// Finished look is only as trustworthy as its header: ParseJournal reads
// the rest.
JournalLook LookAtJournal(std::string_view text, std::string* kind = nullptr,
                          std::string* folder = nullptr);

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

// A journal file held open, from before a run's or an undo's question to
// its end, so that no other Korvath takes it for one cut off nor writes to
// it; the system lets it go when the program ends, however it ends.
class HeldJournal : public JournalWriter {
 public:
  // The whole file from its start; false when unreadable or larger than
  // kLargestWholeFile. Appends go on at its end.
  virtual bool Read(std::string& text) = 0;
  // Empties it: the next Append writes from the start.
  virtual bool Clear() = 0;
  // The file is gone once the hold ends.
  virtual bool Remove() = 0;
};

}  // namespace korvath
