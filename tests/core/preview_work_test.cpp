#include "PreviewWork.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "TakenNames.h"
#include "TestDoubles.h"

namespace korvath {
namespace {

using testing::FakeFields;
using testing::MemoryFolder;

// The work's thread tells this, as it tells the window.
struct Signal {
  std::mutex mutex;
  std::condition_variable told;
  int count = 0;
  void Tell() {
    const std::lock_guard<std::mutex> lock(mutex);
    ++count;
    told.notify_all();
  }
  bool WaitFor(int n) {
    std::unique_lock<std::mutex> lock(mutex);
    return told.wait_for(lock, std::chrono::seconds(20), [&] { return count >= n; });
  }
};

// Pieces of names that fold together or stay apart only by letter case or
// width, reserved device names, and a subfolder.
const char* const kStems[] = {"p",   "P",    "ｐ",   "Ｐ", "é",  "É", "con", "CON",
                              "nul", "com1", "lpt9", "a.", "b ", "ß", "ǅ",   "x"};
const char* const kExtensions[] = {"", ".txt", ".TXT", ".ｔｘｔ", ".Txt", ".", ".jpg"};
const char* const kPrefixes[] = {"", "p", "P", "ｐ", "CON", "sub\\p", "x*", "é", "a\\..\\b"};
const char* const kSuffixes[] = {"", " ", ".", "_e"};
const char* const kChoices[] = {"(変更なし)", ".txt", ".TXT", "", ".ｔｘｔ", "jpg"};

std::string Pick(std::mt19937& random, const char* const* pool, std::size_t size) {
  return pool[random() % size];
}
#define PICK(pool) Pick(random, pool, std::size(pool))

struct Case {
  FakeFields fields;
  MemoryFolder folder;
  RenameSession session{fields};

  explicit Case(std::mt19937& random) {
    folder.Add("sub", -1);
    folder.Add("sub\\p2.txt", 1000);
    const int files = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < files; ++i) {
      std::string name = PICK(kStems);
      if (random() % 3 != 0) name += std::to_string(random() % 12);
      name += PICK(kExtensions);
      if (folder.Has(name)) continue;
      folder.Add(name, i);
      // Some files of the folder stay outside the list (hidden, filtered).
      if (random() % 5 != 0) session.Files.push_back({name, random() % 4 != 0});
    }
    Shuffle(random);
  }
  void Shuffle(std::mt19937& random) {
    fields.Prefix = PICK(kPrefixes);
    fields.Suffix = PICK(kSuffixes);
    fields.Extension = PICK(kChoices);
    fields.FullWidth = random() % 4 == 0;
    session.DigitCount = 1 + static_cast<int>(random() % 3);
    const int starts[] = {0, 1, 2, 5, 1999999998};
    session.StartNumber = starts[random() % std::size(starts)];
  }
};

void ExpectSameRows(const PreviewRows& worked, const PreviewRows& full) {
  ASSERT_EQ(worked.RowCount(), full.RowCount());
  EXPECT_EQ(worked.MarkedCount(), full.MarkedCount());
  for (std::size_t r = 0; r < full.RowCount(); ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(worked.Cell(0, r), full.Cell(0, r));
    EXPECT_EQ(worked.Cell(1, r), full.Cell(1, r));
    EXPECT_EQ(worked.Marked(r), full.Marked(r));
    EXPECT_EQ(worked.FileIndex(r), full.FileIndex(r));
  }
}

// The rows on screen before the whole list is known, then the whole list
// from the work's thread after a burst of changes that each cancel the one
// before, are exactly what a full rebuild gives for the last inputs.
TEST(PreviewWork, WorkedOutNamesAndMarksAreThoseOfAFullRebuild) {
  std::size_t markedInAll = 0, rowsInAll = 0;
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    Case c(random);
    Signal signal;
    PreviewWork work([&] { signal.Tell(); });
    work.ResetTakenNames(&c.folder, std::string(MemoryFolder::Root));
    TakenNames taken;
    taken.Reset(&c.folder, std::string(MemoryFolder::Root));

    PreviewRows shown;
    const int keystrokes = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < keystrokes; ++k) {
      if (k > 0) c.Shuffle(random);
      if (random() % 2 == 0 && !c.session.Files.empty()) {
        // A check mark changed, or moved to another file (as many checked).
        std::vector<FileEntry>& files = c.session.Files;
        FileEntry& entry = files[random() % files.size()];
        FileEntry& other = files[random() % files.size()];
        if (random() % 2 == 0 && entry.Checked != other.Checked)
          std::swap(entry.Checked, other.Checked);
        else
          entry.Checked = !entry.Checked;
      }
      shown.Recompose(c.session);
      if (!shown.Complete()) work.Start(shown);
    }
    PreviewRows full;
    full.SetTakenNames(&taken);
    c.session.RefreshPreview(full);
    // On screen at once: the names without marks.
    ASSERT_EQ(shown.RowCount(), full.RowCount());
    for (std::size_t r = 0; r < full.RowCount(); ++r) {
      EXPECT_EQ(shown.Cell(1, r), full.NewName(r)) << r;
      EXPECT_FALSE(shown.Marked(r));
    }
    if (!shown.Complete()) {
      // Only the last request's result is taken.
      ASSERT_TRUE(signal.WaitFor(1));
      for (int tries = 0; !shown.Complete() && tries < 2000; ++tries) {
        if (!work.TakeInto(shown)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      ASSERT_TRUE(shown.Complete());
      EXPECT_FALSE(work.Pending());
    }
    ExpectSameRows(shown, full);

    // At once, on the calling thread, for a run about to start.
    c.Shuffle(random);
    shown.Recompose(c.session);
    work.Start(shown);
    work.CompleteNow(shown);
    PreviewRows again;  // rebuilt from nothing, as full was
    again.SetTakenNames(&taken);
    c.session.RefreshPreview(again);
    ExpectSameRows(shown, again);
    EXPECT_FALSE(work.TakeInto(shown));  // the request given up brings nothing
    markedInAll += full.MarkedCount();
    rowsInAll += full.GetState() == PreviewRows::State::Rows ? full.RowCount() : 0;
  }
  // The inputs reach both sides of the marks.
  EXPECT_GT(markedInAll, rowsInAll / 10);
  EXPECT_LT(markedInAll, rowsInAll * 9 / 10);
}

// A result worked out for other inputs or other files is never taken.
TEST(PreviewWork, AResultForOtherInputsIsNotTaken) {
  FakeFields fields;
  MemoryFolder folder;
  RenameSession session{fields};
  for (const char* name : {"a.txt", "b.txt", "n2.txt"}) {
    folder.Add(name, 1);
    session.Files.push_back({name, true});
  }
  Signal signal;
  PreviewWork work([&] { signal.Tell(); });
  work.ResetTakenNames(&folder, std::string(MemoryFolder::Root));
  fields.Prefix = "n";
  PreviewRows shown;
  shown.Recompose(session);
  work.Start(shown);
  ASSERT_TRUE(signal.WaitFor(1));
  fields.Prefix = "m";  // changed after the work was asked for, not restarted
  shown.Recompose(session);
  EXPECT_FALSE(work.TakeInto(shown));
  EXPECT_FALSE(shown.Complete());
  work.Start(shown);
  ASSERT_TRUE(signal.WaitFor(2));
  EXPECT_TRUE(work.TakeInto(shown));
  EXPECT_EQ(shown.Cell(1, 2), "m3.txt");
  EXPECT_EQ(shown.MarkedCount(), 0u);
}

}  // namespace
}  // namespace korvath
