#include "StagedMoves.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "FileNames.h"
#include "NameConflicts.h"
#include "NameKeys.h"
#include "RenameTexts.h"
#include "Utf8.h"

namespace korvath {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

class Mover {
 public:
  Mover(FileSystem& fileSystem, const std::string& folder, JournalWriter& journal)
      : fileSystem_(fileSystem), folder_(folder), journal_(journal) {}

  bool Broken() const { return journalBroken_; }

  // One journaled rename, through the file held open: the identity
  // journaled with the step is that file's, and the file moved is that
  // file, whatever another program does to the name meanwhile. expected
  // (when the step is for a known file: an undo's, a cycle's way back) is
  // compared first: a name that holds another file now is refused
  // (ChangedFileReason) before anything is written. identity, when given,
  // receives the identity journaled.
  // A step to or from a temporary name is on the disk before it is taken,
  // so that not even a power loss can leave a file under such a name
  // unrecorded; a step straight to the new name is handed to the system,
  // and reaches the disk with the end of the run (lost, it would leave the
  // file under its new name, only no longer undoable).
  // Steps bringing a cycle's files back are taken even when the journal
  // has failed: a file must not stay under a temporary name.
  bool Step(const std::string& from, const std::string& to, std::string& reason, bool flush,
            bool homeward = false, const std::string& expected = {},
            std::string* identity = nullptr) {
    if (journalBroken_ && !homeward) {
      reason = std::string(JournalFailedReason);
      return false;
    }
    const std::string source = JoinPath(folder_, from);
    const std::string target = JoinPath(folder_, to);
    const std::unique_ptr<HeldFile> held = fileSystem_.Hold(source);
    if (!held) {
      reason = fileSystem_.LastFailureReason();
      return false;
    }
    const std::string id = held->Identity();
    // A file the system cannot tell apart keeps the trust in its name.
    if (!expected.empty() && !id.empty() && id != expected) {
      reason = std::string(ChangedFileReason);
      return false;
    }
    if (identity != nullptr) *identity = id;
    if (!journalBroken_ && !Record(from, to, id, flush)) journalBroken_ = true;
    if (journalBroken_ && !homeward) {
      reason = std::string(JournalFailedReason);
      return false;
    }
    bool refused = true;  // journaled as refused: the file is still under from
    switch (held->RenameTo(target)) {
      case HeldFile::Renamed::Yes:
        return true;
      case HeldFile::Renamed::Changed:
        reason = std::string(ChangedFileReason);
        break;
      case HeldFile::Renamed::No:
        reason = fileSystem_.LastFailureReason();
        break;
      case HeldFile::Renamed::Unsure:
        reason = fileSystem_.LastFailureReason();
        switch (Where(source, target, id)) {
          case Place::Target:
            return true;  // carried out all the same: the step stands
          case Place::Source:
            break;
          case Place::Unknown:
            // Left as it is: a roll-back or an undo looks on the disk.
            refused = false;
            break;
        }
        break;
    }
    if (refused && !journalBroken_ && !journal_.Append(JournalFailedLine)) journalBroken_ = true;
    return false;
  }

  // A free name beside from for it to step aside to. The old name goes
  // into it as far as a name can hold: the mark in front of a long name
  // must not make it one the file system refuses. taken(key) says whether
  // the batch has a use for the name.
  template <class Taken>
  std::string Temporary(const std::string& from, const Taken& taken) {
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
      if (!taken(NameKey(temporary)) && !fileSystem_.EntryExists(JoinPath(folder_, temporary))) {
        return temporary;
      }
    }
    return {};
  }

 private:
  enum class Place { Source, Target, Unknown };
  // Which name holds the file after a rename called off before its answer.
  Place Where(const std::string& source, const std::string& target, const std::string& id) {
    if (!id.empty()) {
      if (fileSystem_.FileIdentity(target) == id) return Place::Target;
      if (fileSystem_.FileIdentity(source) == id) return Place::Source;
      return Place::Unknown;
    }
    // Nothing held the new name before the step, and a rename never replaces.
    const bool atSource = fileSystem_.EntryExists(source);
    const bool atTarget = fileSystem_.EntryExists(target);
    if (atSource) return Place::Source;
    return atTarget ? Place::Target : Place::Unknown;
  }

  // The one place a step's journal line is written, with the identity of
  // the file, so that an undo can tell it from a file another program gave
  // the name since.
  bool Record(const std::string& from, const std::string& to, const std::string& identity,
              bool flush) {
    return journal_.Append(JournalStepLine(from, to, identity)) && (!flush || journal_.Flush());
  }

  FileSystem& fileSystem_;
  const std::string& folder_;
  JournalWriter& journal_;
  bool journalBroken_ = false;
  int counter_ = 0;
};

// The moves as a graph: move i waits for move next[i] when its new name is
// that one's old name. Sources and targets being distinct, every move waits
// for one at most and is waited for by one at most, so the graph falls
// into chains and cycles, each carried out on its own.
class Batch {
 public:
  Batch(FileSystem& fileSystem, const std::string& folder, const std::vector<Move>& moves,
        JournalWriter& journal, const std::function<void(std::size_t)>& moved,
        const std::function<bool(const MoveTurn&)>& turn)
      : moves_(moves),
        moved_(moved),
        turn_(turn),
        mover_(fileSystem, folder, journal),
        results_(moves.size()),
        identities_(moves.size()),
        state_(moves.size(), State::Waiting),
        next_(moves.size(), kNone),
        previous_(moves.size(), kNone) {
    const std::size_t count = moves.size();
    fromKeys_.resize(count);
    toKeys_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      fromKeys_[i] = NameKey(moves[i].From);
      toKeys_[i] = NameKey(moves[i].To);
    }
    sources_.Build(fromKeys_);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t holder = sources_.Find(toKeys_[i]);
      if (holder == kNone) continue;
      // A file taking its own name in another letter case waits for itself:
      // a cycle of one, through a temporary name, since not every file
      // system changes only the case of a name in place (Wine's reports
      // success and keeps the old one).
      next_[i] = holder;
      previous_[holder] = i;
    }
  }

  std::vector<MoveResult> Run() {
    // In list order, each file with what it waits for.
    for (std::size_t i = 0; i < moves_.size() && !stopped_; ++i) {
      if (state_[i] == State::Waiting) Settle(i);
    }
    for (std::size_t i = 0; i < moves_.size(); ++i) {
      if (state_[i] == State::Waiting) results_[i].Result = MoveResult::Outcome::NotTried;
    }
    return std::move(results_);
  }

 private:
  enum class State { Waiting, Done, Given };

  // The chain from i to its free end, carried out from that end; or the
  // cycle i belongs to.
  void Settle(std::size_t i) {
    std::vector<std::size_t> chain{i};
    std::size_t j = next_[i];
    while (j != kNone && j != i && state_[j] == State::Waiting) {
      chain.push_back(j);
      j = next_[j];
    }
    if (j == i) return Cycle(chain);
    if (j != kNone && state_[j] != State::Done) return GiveUp(chain.back(), {});
    for (std::size_t k = chain.size(); k-- > 0;) {
      const std::size_t m = chain[k];
      if (!MayGo(m)) return;
      if (!mover_.Step(moves_[m].From, moves_[m].To, results_[m].Reason, false, false,
                       moves_[m].Identity)) {
        return GiveUp(m, results_[m].Reason);
      }
      Finish(m);
    }
  }

  // cycle[k] waits for cycle[k + 1], the last for the first. The first
  // steps aside; then, from the last back, each takes the name the one
  // after it left; the first takes the second's old name.
  void Cycle(const std::vector<std::size_t>& cycle) {
    const std::size_t first = cycle.front();
    if (!MayGo(first)) return;
    if (!targetsBuilt_) {
      targets_.Build(toKeys_);
      targetsBuilt_ = true;
    }
    const std::string aside = mover_.Temporary(moves_[first].From, [&](const std::string& key) {
      return sources_.Find(key) != kNone || targets_.Find(key) != kNone ||
             temporaries_.count(key) != 0;
    });
    if (aside.empty()) return GiveUp(first, std::string(NoTemporaryNameReason));
    if (!mover_.Step(moves_[first].From, aside, results_[first].Reason, true, false,
                     moves_[first].Identity, &identities_[first])) {
      return GiveUp(first, results_[first].Reason);
    }
    temporaries_.insert(NameKey(aside));
    std::vector<std::size_t> moved;  // in the order taken
    bool finishing = false;          // stopped, and the cycle nearer its end than its start
    for (std::size_t k = cycle.size(); k-- > 1;) {
      const std::size_t m = cycle[k];
      underWay_ = moved.size();
      if (!finishing && !MayGo(m)) {
        // Forward: k steps and the last; back: as many as taken, and the first's.
        if (k > moved.size()) return Unwind(cycle, moved, aside, {});
        finishing = true;
      }
      if (!mover_.Step(moves_[m].From, moves_[m].To, results_[m].Reason, false, false,
                       moves_[m].Identity, &identities_[m])) {
        return Unwind(cycle, moved, aside, m);
      }
      moved.push_back(m);
    }
    if (!mover_.Step(aside, moves_[first].To, results_[first].Reason, true, false,
                     identities_[first])) {
      return Unwind(cycle, moved, aside, first);
    }
    moved.push_back(first);
    underWay_ = 0;
    for (std::size_t m : moved) Finish(m);
  }

  // Brings a cycle under way back: the files moved return to their old
  // names, last first, then the one aside. refused: the move whose step
  // failed (none: stopped).
  void Unwind(const std::vector<std::size_t>& cycle, std::vector<std::size_t>& moved,
              const std::string& aside, std::optional<std::size_t> refused) {
    underWay_ = 0;
    const std::size_t first = cycle.front();
    std::string reason;
    while (!moved.empty()) {
      const std::size_t m = moved.back();
      if (!mover_.Step(moves_[m].To, moves_[m].From, reason, false, true, identities_[m])) break;
      moved.pop_back();
    }
    // Refused on the way back: those still moved keep their new names.
    for (std::size_t m : moved) Finish(m);
    if (!mover_.Step(aside, moves_[first].From, reason, true, true, identities_[first])) {
      results_[first].Result = MoveResult::Outcome::Stranded;
      results_[first].Where = aside;
      if (results_[first].Reason.empty()) results_[first].Reason = reason;
      state_[first] = State::Given;
      ++settled_;
    }
    if (!refused) return;  // stopped: the cycle's files keep their names
    for (std::size_t m : cycle) {
      if (state_[m] != State::Waiting) continue;
      state_[m] = State::Given;
      ++settled_;
      results_[m].Result = MoveResult::Outcome::Refused;
      if (m != *refused) results_[m].Reason = BlockedReason();
    }
  }

  // Before a move's step: false once the batch is stopped.
  bool MayGo(std::size_t m) {
    if (turn_ && !turn_(MoveTurn{m, settled_ + underWay_, moves_.size()})) stopped_ = true;
    return !stopped_;
  }

  void Finish(std::size_t m) {
    state_[m] = State::Done;
    ++settled_;
    results_[m].Result = MoveResult::Outcome::Done;
    results_[m].Reason.clear();
    moved_(m);
  }

  // m keeps its name (reason empty: it waits for a file given up before);
  // so does every move waiting for it, down the chain.
  void GiveUp(std::size_t m, const std::string& reason) {
    for (bool own = true; m != kNone && state_[m] == State::Waiting;
         m = previous_[m], own = false) {
      state_[m] = State::Given;
      ++settled_;
      results_[m].Result = MoveResult::Outcome::Refused;
      results_[m].Reason = own && !reason.empty() ? reason : BlockedReason();
    }
  }

  // Why a move waiting for a file that stays is not carried out.
  std::string BlockedReason() const {
    return std::string(mover_.Broken() ? JournalFailedReason : CollisionReason);
  }

  const std::vector<Move>& moves_;
  const std::function<void(std::size_t)>& moved_;
  const std::function<bool(const MoveTurn&)>& turn_;
  Mover mover_;
  std::vector<MoveResult> results_;
  std::vector<std::string> identities_;  // of a cycle's files, as journaled at their steps
  std::vector<State> state_;
  std::vector<std::string> fromKeys_, toKeys_;
  KeyIndex sources_;
  std::vector<std::size_t> next_, previous_;
  KeyIndex targets_;  // built with the first cycle, for its temporary name
  bool targetsBuilt_ = false;
  std::unordered_set<std::string> temporaries_;
  std::size_t settled_ = 0;
  std::size_t underWay_ = 0;  // files of the cycle in hand already moved on
  bool stopped_ = false;
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
  return Batch(fileSystem, folder, moves, journal, moved, turn).Run();
}

std::vector<JournalFile> JournalFiles(const Journal& journal) {
  std::vector<JournalFile> files;
  std::unordered_map<std::string, std::size_t> fileAt;  // current name -> file
  for (std::size_t s = 0; s < journal.StepCount(); ++s) {
    const JournalStep step = journal.Step(s);
    if (step.Failed) continue;
    const auto found = fileAt.find(NameKey(step.From));
    std::size_t file;
    if (found == fileAt.end()) {
      file = files.size();
      files.push_back({std::string(step.From), std::string(step.From), {}, {}});
    } else {
      file = found->second;
      fileAt.erase(found);
    }
    files[file].To = std::string(step.To);
    if (!step.Identity.empty()) files[file].Identity = std::string(step.Identity);
    files[file].Steps.push_back(s);
    fileAt[NameKey(step.To)] = file;
  }
  return files;
}

namespace {
// Every file of the journal by the name it has now, in one table of
// eight bytes a slot: a journal of millions of steps is counted in a small
// multiple of its own size. A slot holds the step that gave the file its
// current name, the step of its first name and a few bits of the name's
// hash; 0 is a free slot. Open addressing without tombstones: a file that
// moves on leaves its slot free again (the slots after it shift back), so
// a journal of one name over and over costs no more than any other.
class NamesNow {
 public:
  explicit NamesNow(const Journal& journal) : journal_(journal) {
    std::size_t size = 16;
    while (size < journal.StepCount() + journal.StepCount() / 2) size *= 2;
    slots_.assign(size, 0);
  }

  // The first step of the file now under name, which leaves it (the file
  // moves on); none: a file the journal meets here first.
  std::size_t Take(std::string_view name) {
    const std::string key = NameKey(name);
    const std::size_t at = Find(name, key, Hash(key));
    if (slots_[at] == 0) return kNone;
    const std::size_t first = FirstStep(slots_[at]);
    Free(at);
    return first;
  }

  // The file first named at step first now has step's new name. A file
  // the journal said had that name already is no longer followed (the
  // run never writes such a journal; read as a list of every file's moves,
  // it keeps its last name).
  void Put(std::size_t step, std::string_view name, std::size_t first) {
    const std::string key = NameKey(name);
    const std::uint64_t hash = Hash(key);
    const std::size_t at = Find(name, key, hash);
    if (slots_[at] != 0) settled_ += IsRenamed(slots_[at]);
    slots_[at] = (hash >> 46 << 46) | (std::uint64_t{step} << 23) | first;
  }

  // Files whose name now differs from their first (letter case aside).
  std::size_t Renamed() const {
    std::size_t renamed = settled_;
    for (std::uint64_t slot : slots_) {
      if (slot != 0) renamed += IsRenamed(slot);
    }
    return renamed;
  }

 private:
  // The shortest step line is six bytes: the largest journal has fewer
  // steps than 23 bits count.
  static_assert(kLargestWholeFile / 6 < (std::size_t{1} << 23));
  static std::size_t NowStep(std::uint64_t slot) { return (slot >> 23) & ((1u << 23) - 1); }
  static std::size_t FirstStep(std::uint64_t slot) { return slot & ((1u << 23) - 1); }
  static std::uint64_t Hash(std::string_view key) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    hash ^= hash >> 29;  // the low bits pick the slot: every byte goes into them
    // A zero slot reads as a free one.
    return hash | (std::uint64_t{1} << 46);
  }
  std::size_t Mask() const { return slots_.size() - 1; }
  std::string NowKey(std::uint64_t slot) const { return NameKey(journal_.Step(NowStep(slot)).To); }
  bool IsRenamed(std::uint64_t slot) const {
    return NameKey(journal_.Step(FirstStep(slot)).From) != NowKey(slot);
  }

  // The slot holding name (key its NameKey), or the free slot where it
  // would go. A name spelt as the slot's is its key without folding it.
  std::size_t Find(std::string_view name, const std::string& key, std::uint64_t hash) const {
    std::size_t at = hash & Mask();
    for (; slots_[at] != 0; at = (at + 1) & Mask()) {
      if ((slots_[at] >> 46) != (hash >> 46)) continue;
      const std::string_view now = journal_.Step(NowStep(slots_[at])).To;
      if (now == name || NameKey(now) == key) break;
    }
    return at;
  }

  // Frees slot at, moving back each later slot of its run that would no
  // longer be found past the gap.
  void Free(std::size_t at) {
    for (std::size_t next = (at + 1) & Mask(); slots_[next] != 0; next = (next + 1) & Mask()) {
      const std::size_t home = Hash(NowKey(slots_[next])) & Mask();
      // Stays when its home lies cyclically in (at, next].
      const bool stays = at <= next ? (at < home && home <= next) : (at < home || home <= next);
      if (stays) continue;
      slots_[at] = slots_[next];
      at = next;
    }
    slots_[at] = 0;
  }

  const Journal& journal_;
  std::vector<std::uint64_t> slots_;
  std::size_t settled_ = 0;  // renamed files no longer followed
};
}  // namespace

std::size_t RenamedFileCount(const Journal& journal) {
  NamesNow names(journal);
  for (std::size_t s = 0; s < journal.StepCount(); ++s) {
    const JournalStep step = journal.Step(s);
    if (step.Failed) continue;
    const std::size_t first = names.Take(step.From);
    names.Put(s, step.To, first == kNone ? s : first);
  }
  return names.Renamed();
}

std::vector<Move> NetMoves(const Journal& journal) {
  std::vector<Move> moves;
  for (const JournalFile& file : JournalFiles(journal)) moves.push_back({file.From, file.To, {}});
  return moves;
}

bool PassesThroughLink(FileSystem& fileSystem, const std::string& folder, std::string_view name) {
  // Each folder on the way, from the outermost in.
  for (std::size_t slash = name.find('\\'); slash != std::string_view::npos;
       slash = name.find('\\', slash + 1)) {
    if (fileSystem.IsLinkFolder(JoinPath(folder, name.substr(0, slash)))) return true;
  }
  return false;
}

RollBackResult RollBack(FileSystem& fileSystem, const Journal& journal) {
  RollBackResult result;
  // The name each step's file had before the journal's first step: a step
  // from a name no earlier step produced brings a file home.
  std::unordered_map<std::string, std::string> originOf;  // produced name -> first name
  std::vector<std::string> origin(journal.StepCount());
  std::vector<bool> home(journal.StepCount(), true);
  for (std::size_t i = 0; i < journal.StepCount(); ++i) {
    const JournalStep step = journal.Step(i);
    if (step.Failed) continue;
    const auto found = originOf.find(NameKey(step.From));
    home[i] = found == originOf.end();
    origin[i] = home[i] ? std::string(step.From) : found->second;
    originOf[NameKey(step.To)] = origin[i];
  }
  for (std::size_t i = journal.StepCount(); i-- > 0;) {
    const JournalStep step = journal.Step(i);
    if (step.Failed) continue;
    const std::string from = JoinPath(journal.Folder, step.From);
    const std::string to = JoinPath(journal.Folder, step.To);
    // A step below the folder goes only into folders of its own: one that
    // is a link now would carry it to wherever the link points.
    if (PassesThroughLink(fileSystem, journal.Folder, step.From) ||
        PassesThroughLink(fileSystem, journal.Folder, step.To)) {
      if (!fileSystem.EntryExists(from)) result.Left.push_back({std::string(step.To), origin[i]});
      continue;
    }
    if (fileSystem.EntryExists(from) || !fileSystem.EntryExists(to)) continue;  // not taken
    // Checked and moved through the file held (files only, never a
    // folder): a file given the name since by another program is not this
    // step's, and stays where it is, as if the step had not been taken.
    const std::unique_ptr<HeldFile> held = fileSystem.Hold(to);
    const std::string now = held ? held->Identity() : std::string();
    if (held && !step.Identity.empty() && !now.empty() && now != step.Identity) continue;
    HeldFile::Renamed renamed = held ? held->RenameTo(from) : HeldFile::Renamed::No;
    if (renamed == HeldFile::Renamed::Unsure && !now.empty() && fileSystem.FileIdentity(from) == now) {
      renamed = HeldFile::Renamed::Yes;
    }
    if (renamed == HeldFile::Renamed::Changed) continue;
    if (renamed == HeldFile::Renamed::Yes) {
      if (home[i]) ++result.Restored;
      continue;
    }
    result.Left.push_back({std::string(step.To), origin[i]});
  }
  return result;
}

}  // namespace korvath
