// Journals as anyone could have planted them: the parser never trusts a
// step that leaves the folder, what a look at the text says agrees with
// the whole read, and the compact count of renamed files agrees with the
// count over every file's moves.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "NameKeys.h"
#include "RenameJournal.h"
#include "StagedMoves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvath;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string kind, folder;
  const JournalLook look = LookAtJournal(text, &kind, &folder);
  Journal journal;
  if (!ParseJournal(text, journal)) return 0;
  // A journal read whole has a header the look read too, and ends as it said.
  if (look == JournalLook::Empty || look == JournalLook::Foreign) std::abort();
  if ((look == JournalLook::Finished) != journal.Ended) std::abort();
  if (kind != journal.Kind || folder != journal.Folder || !IsJournalFolder(folder)) std::abort();
  bool lacks = false;
  for (std::size_t i = 0; i < journal.StepCount(); ++i) {
    const JournalStep step = journal.Step(i);
    if (!IsJournalName(step.From) || !IsJournalName(step.To)) std::abort();
    if (!step.Failed && step.Identity.empty()) lacks = true;
  }
  if (lacks != journal.LacksIdentities()) std::abort();
  std::size_t renamed = 0;
  for (const JournalFile& file : JournalFiles(journal)) {
    renamed += NameKey(file.From) != NameKey(file.To);
  }
  if (renamed != RenamedFileCount(journal)) std::abort();
  return 0;
}
