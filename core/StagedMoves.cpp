#include "StagedMoves.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "FileNames.h"
#include "NameKeys.h"
#include "RenameTexts.h"
#include "Utf8.h"

namespace korvath {
namespace {

class Mover {
 public:
  Mover(FileSystem& fileSystem, const std::string& folder, JournalWriter& journal)
      : fileSystem_(fileSystem), folder_(folder), journal_(journal) {}

  // One journaled rename. A step to or from a temporary name is on the disk
  // before it is taken, so that not even a power loss can leave a file
  // under such a name unrecorded; a step straight to the new name is handed
  // to the system, and reaches the disk with the end of the run (lost, it
  // would leave the file under its new name, only no longer undoable).
  // Steps back from a temporary name are taken even when the journal has
  // failed: a file must not stay under such a name.
  bool Step(const std::string& from, const std::string& to, std::string& reason,
            bool homeward = false, bool staged = true) {
    if (!journalBroken_ && (!journal_.Append(JournalStepLine(from, to)) ||
                            (staged && !journal_.Flush()))) {
      journalBroken_ = true;
    }
    if (journalBroken_ && !homeward) {
      reason = std::string(JournalFailedReason);
      return false;
    }
    if (fileSystem_.Rename(JoinPath(folder_, from), JoinPath(folder_, to))) return true;
    reason = fileSystem_.LastFailureReason();
    if (!journalBroken_ && !journal_.Append(JournalFailedLine)) journalBroken_ = true;
    return false;
  }

  // A free name beside from for it to step aside to. The old name goes
  // into it as far as a name can hold: the mark in front of a long name
  // must not make it one the file system refuses.
  std::string Temporary(const std::string& from, const std::unordered_set<std::string>& reserved) {
    const std::string_view name = ExtractNamePart(from);
    const std::string_view folder = std::string_view(from).substr(0, from.size() - name.size());
    for (int attempt = 0; attempt < 1000; ++attempt) {
      std::string temporary(folder);
      temporary += TemporaryNameMark;
      temporary += std::to_string(++counter_);
      temporary += '_';
      const std::size_t room =
          kLongestStep - Utf16Length(std::string_view(temporary).substr(folder.size()));
      temporary.append(name.substr(0, FitUtf16Units(name, room)));
      // Cut short, it must not end in what Windows trims off.
      while (temporary.back() == '.' || temporary.back() == ' ') temporary.pop_back();
      if (reserved.count(NameKey(temporary)) == 0 &&
          !fileSystem_.EntryExists(JoinPath(folder_, temporary))) {
        return temporary;
      }
    }
    return {};
  }

 private:
  FileSystem& fileSystem_;
  const std::string& folder_;
  JournalWriter& journal_;
  bool journalBroken_ = false;
  int counter_ = 0;
};

}  // namespace

std::vector<MoveResult> ExecuteMoves(FileSystem& fileSystem, const std::string& folder,
                                     const std::vector<Move>& moves, JournalWriter& journal,
                                     const std::function<void(std::size_t)>& moved) {
  return ExecuteMoves(fileSystem, folder, moves, journal, moved, {});
}

std::vector<MoveResult> ExecuteMoves(FileSystem& fileSystem, const std::string& folder,
                                     const std::vector<Move>& moves, JournalWriter& journal,
                                     const std::function<void(std::size_t)>& moved,
                                     const std::function<bool(const MoveTurn&)>& turn) {
  const std::size_t count = moves.size();
  std::vector<MoveResult> results(count);
  std::unordered_map<std::string, std::size_t> sourceOf;
  std::unordered_set<std::string> reserved;
  for (std::size_t i = 0; i < count; ++i) {
    sourceOf.emplace(NameKey(moves[i].From), i);
    reserved.insert(NameKey(moves[i].To));
  }
  // A move waits when its target is still held by another file of the batch.
  std::vector<bool> waits(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    const auto holder = sourceOf.find(NameKey(moves[i].To));
    waits[i] = holder != sourceOf.end() && holder->second != i;
  }

  Mover mover(fileSystem, folder, journal);
  std::vector<std::string> where(count);  // current name of each file
  std::vector<bool> failed(count, false);
  std::vector<bool> untried(count, false);
  MoveTurn at;
  at.Steps = count + static_cast<std::size_t>(std::count(waits.begin(), waits.end(), true));
  bool stopped = false;
  // Before a move's first step: false once the batch is stopped, the move
  // then keeping its name.
  auto begin = [&](std::size_t i) {
    if (!stopped && turn) {
      at.Move = i;
      at.CanStop = true;
      stopped = !turn(at);
    }
    if (stopped) {
      untried[i] = failed[i] = true;
      results[i].Result = MoveResult::Outcome::NotTried;
      return false;
    }
    ++at.Step;
    return true;
  };
  auto finish = [&](std::size_t i) {
    results[i].Result = MoveResult::Outcome::Done;
    results[i].Reason.clear();
    moved(i);
  };

  // Waiting files step aside, then the others go straight to their names.
  for (std::size_t i = 0; i < count; ++i) {
    where[i] = moves[i].From;
    if (!waits[i] || !begin(i)) continue;
    const std::string temporary = mover.Temporary(moves[i].From, reserved);
    if (temporary.empty()) {
      failed[i] = true;
      results[i].Reason = std::string(NoTemporaryNameReason);
    } else if (mover.Step(moves[i].From, temporary, results[i].Reason)) {
      where[i] = temporary;
      reserved.insert(NameKey(temporary));
    } else {
      failed[i] = true;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (waits[i] || !begin(i)) continue;
    if (mover.Step(moves[i].From, moves[i].To, results[i].Reason, false, false)) {
      where[i] = moves[i].To;
      finish(i);
    } else {
      failed[i] = true;
    }
  }

  // A file that keeps its old name keeps it from whoever waited for it,
  // and so on down the chain: followed from each such file, each move once.
  std::unordered_map<std::string, std::size_t> waiter;  // new name -> waiting move
  for (std::size_t i = 0; i < count; ++i) {
    if (waits[i]) waiter.emplace(NameKey(moves[i].To), i);
  }
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < count; ++i) {
    if (failed[i]) kept.push_back(i);
  }
  while (!kept.empty()) {
    const std::size_t h = kept.back();
    kept.pop_back();
    const auto found = waiter.find(NameKey(moves[h].From));
    if (found == waiter.end() || failed[found->second]) continue;
    const std::size_t w = found->second;
    failed[w] = true;
    if (untried[h]) {
      // Waiting for a file the stop left in place: not a collision.
      untried[w] = true;
      results[w].Result = MoveResult::Outcome::NotTried;
    } else {
      results[w].Reason = std::string(CollisionReason);
    }
    kept.push_back(w);
  }

  // Back home from the temporary names, or on to the new ones.
  auto sendHome = [&](std::size_t i) {
    std::string reason;
    if (mover.Step(where[i], moves[i].From, reason, true)) {
      where[i] = moves[i].From;
      return;
    }
    results[i].Result = MoveResult::Outcome::Stranded;
    results[i].Where = where[i];
    if (results[i].Reason.empty()) results[i].Reason = reason;
  };
  for (std::size_t i = 0; i < count; ++i) {
    if (waits[i] && failed[i] && where[i] != moves[i].From) sendHome(i);
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (!waits[i] || failed[i]) continue;
    if (turn) {
      at.Move = i;
      at.CanStop = false;
      turn(at);
    }
    ++at.Step;
    if (mover.Step(where[i], moves[i].To, results[i].Reason)) {
      where[i] = moves[i].To;
      finish(i);
    } else {
      sendHome(i);
    }
  }
  return results;
}

std::vector<Move> NetMoves(const Journal& journal) {
  std::vector<Move> files;
  std::unordered_map<std::string, std::size_t> fileAt;  // current name -> file
  for (const JournalStep& step : journal.Steps) {
    if (step.Failed) continue;
    const auto found = fileAt.find(NameKey(step.From));
    std::size_t file;
    if (found == fileAt.end()) {
      file = files.size();
      files.push_back({step.From, step.From});
    } else {
      file = found->second;
      fileAt.erase(found);
    }
    files[file].To = step.To;
    fileAt[NameKey(step.To)] = file;
  }
  return files;
}

RollBackResult RollBack(FileSystem& fileSystem, const Journal& journal) {
  RollBackResult result;
  // The name each step's file had before the journal's first step: a step
  // from a name no earlier step produced brings a file home.
  std::unordered_map<std::string, std::string> originOf;  // produced name -> first name
  std::vector<std::string> origin(journal.Steps.size());
  std::vector<bool> home(journal.Steps.size(), true);
  for (std::size_t i = 0; i < journal.Steps.size(); ++i) {
    const JournalStep& step = journal.Steps[i];
    if (step.Failed) continue;
    const auto found = originOf.find(NameKey(step.From));
    home[i] = found == originOf.end();
    origin[i] = home[i] ? step.From : found->second;
    originOf[NameKey(step.To)] = origin[i];
  }
  for (std::size_t i = journal.Steps.size(); i-- > 0;) {
    const JournalStep& step = journal.Steps[i];
    if (step.Failed) continue;
    const std::string from = JoinPath(journal.Folder, step.From);
    const std::string to = JoinPath(journal.Folder, step.To);
    if (fileSystem.EntryExists(from) || !fileSystem.EntryExists(to)) continue;  // not taken
    if (fileSystem.Rename(to, from)) {
      if (home[i]) ++result.Restored;
      continue;
    }
    result.Left.push_back({step.To, origin[i]});
  }
  return result;
}

}  // namespace korvath
