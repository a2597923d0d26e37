#pragma once
// Stand-ins for the main window and the file system, shared by the core
// tests.

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "NamingFields.h"
#include "PreviewRows.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "ShiftJis.h"
#include "Utf8.h"

namespace korvath::testing {

// The naming fields as plain members the test can change between calls.
class FakeFields : public NamingFields {
 public:
  std::string Prefix;
  std::string Suffix;
  std::string Extension{KeepExtension};
  bool FullWidth = false;

  std::string PrefixText() const override { return Prefix; }
  std::string SuffixText() const override { return Suffix; }
  std::string ExtensionText() const override { return Extension; }
  bool FullWidthChecked() const override { return FullWidth; }
};

// Thrown by MemoryFolder when the power is cut: the operation it was about
// to do is not done, and the run stops there.
struct PowerCut {};

// Windows-like folder in memory: names compare without regard to ASCII
// letter case, a rename never replaces nor gives a name longer than the
// wide functions take, each file carries a content tag so that a test can
// see files lost or overwritten (and its identity is that tag). Journal
// files live apart from the folder's files. Folders are entries with
// content -1. The folder's files are named relative to it, or by full path
// under Root, as a run in Root names them.
class MemoryFolder : public FileSystem {
 public:
  static constexpr std::string_view Root = "C:\\run";

  static std::string Key(std::string_view name) {
    std::string key(Local(name));
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
  }
  // A full path under Root as the name relative to it.
  static std::string_view Local(std::string_view name) {
    if (name.size() > Root.size() && name[Root.size()] == '\\' &&
        name.substr(0, Root.size()) == Root) {
      name.remove_prefix(Root.size() + 1);
    }
    return name;
  }

  void Add(const std::string& name, int content) {
    files_[Key(name)] = {std::string(Local(name)), content};
  }
  void AddFolder(const std::string& name) { Add(name, -1); }
  void Remove(const std::string& name) { files_.erase(Key(name)); }
  bool Has(const std::string& name) const { return files_.count(Key(name)) != 0; }
  int ContentOf(const std::string& name) const { return files_.at(Key(name)).second; }
  // The name as the entry spells it (letter case included).
  const std::string& Spelling(const std::string& name) const { return files_.at(Key(name)).first; }
  std::size_t Size() const { return files_.size(); }

  // Names as the browser would list them (sorted without regard to case):
  // the files of the folder itself.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& [key, file] : files_) {
      if (file.second >= 0 && file.first.find('\\') == std::string::npos) {
        names.push_back(file.first);
      }
    }
    return names;
  }
  // Every file's name and content.
  std::map<std::string, int> State() const {
    std::map<std::string, int> state;
    for (const auto& [key, file] : files_) {
      if (file.second >= 0) state[file.first] = file.second;
    }
    return state;
  }
  std::vector<int> Contents() const {
    std::vector<int> contents;
    for (const auto& [key, file] : files_) {
      if (file.second >= 0) contents.push_back(file.second);
    }
    std::sort(contents.begin(), contents.end());
    return contents;
  }

  bool Exists(const std::string& name) override {
    Touch(name);
    ExistsCalls.push_back(name);
    return Has(name) && ContentOf(name) >= 0;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    Tick();
    Touch(from);
    RenameCalls.push_back({from, to});
    if (Journals.count(from) != 0) {  // a journal put aside
      if (Journals.count(to) != 0) return false;
      Journals[to] = Journals[from];
      Journals.erase(from);
      return true;
    }
    const std::string_view local = Local(to);
    const std::size_t slash = local.rfind('\\');
    const bool folderThere =
        slash == std::string::npos || (Has(std::string(local.substr(0, slash))) &&
                                       ContentOf(std::string(local.substr(0, slash))) < 0);
    // As on Windows, a file may take its own name in another letter case.
    const bool taken = Has(to) && Key(to) != Key(from);
    if (!Has(from) || taken || !folderThere || !Holdable(to)) return false;
    const int content = ContentOf(from);
    Remove(from);
    Add(to, content);
    Renamed.push_back({from, to});
    return true;
  }
  std::string LastFailureReason() override { return "refused"; }
  bool EntryExists(const std::string& name) override {
    Touch(name);
    return Has(name) || Journals.count(name) != 0 || name == Root;
  }
  std::string FileIdentity(const std::string& name) override {
    Touch(name);
    if (!Identities || !Has(name) || ContentOf(name) < 0) return {};
    return "c" + std::to_string(ContentOf(name));
  }
  // Held as a handle holds a file: by its content, wherever it is renamed
  // to meanwhile; the rename goes through Rename from the name it has now.
  class Held : public HeldFile {
   public:
    Held(MemoryFolder& folder, std::string name, int content)
        : folder_(folder), name_(std::move(name)), content_(content) {}
    std::string Identity() override {
      return folder_.Identities ? "c" + std::to_string(content_) : std::string();
    }
    Renamed RenameTo(const std::string& to) override {
      if (folder_.BeforeHeldRename) {
        const std::function<void()> hook = std::move(folder_.BeforeHeldRename);
        folder_.BeforeHeldRename = nullptr;
        hook();
      }
      const std::optional<std::string> now = folder_.NameOf(content_, name_);
      if (!now) return Renamed::No;  // deleted meanwhile
      const bool renamed = folder_.Rename(*now, to);
      if (folder_.UnsureRenames > 0) {
        --folder_.UnsureRenames;
        return Renamed::Unsure;
      }
      return renamed ? Renamed::Yes : Renamed::No;
    }

   private:
    MemoryFolder& folder_;
    std::string name_;
    int content_;
  };
  std::unique_ptr<HeldFile> Hold(const std::string& name) override {
    HoldCalls.push_back(name);
    Touch(name);
    if (!Has(name) || ContentOf(name) < 0) return nullptr;
    return std::make_unique<Held>(*this, name, ContentOf(name));
  }
  // The name of the file with this content, tried first at name.
  std::optional<std::string> NameOf(int content, const std::string& name) const {
    if (Has(name) && ContentOf(name) == content) return std::string(Local(name));
    for (const auto& [key, file] : files_) {
      if (file.second == content) return file.first;
    }
    return std::nullopt;
  }

  bool ListNames(const std::string& path, std::vector<std::string>& names) override {
    ++ListCalls;
    Touch(path);
    std::string folder = path;  // "C:\\photos\\" as "C:\\photos"
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    const std::string head = Local(folder).empty() || folder == Root ? "" : Key(folder) + "\\";
    // A folder is there as an entry, or as the folder of a file's full path.
    bool there = head.empty() || Has(folder);
    for (const auto& [key, file] : files_) {
      if (key.compare(0, head.size(), head) != 0) continue;
      there = true;
      const std::string rest = file.first.substr(head.size());
      if (rest.find('\\') == std::string::npos) names.push_back(rest);
    }
    return there;
  }

  class Writer : public HeldJournal {
   public:
    Writer(MemoryFolder& folder, std::string path, bool held)
        : folder_(folder), path_(std::move(path)), held_(held) {
      if (held_) folder_.Holders.insert(path_);
    }
    ~Writer() override {
      if (!held_) return;
      folder_.Holders.erase(path_);
      if (removed_) folder_.Journals.erase(path_);
    }
    bool Append(std::string_view text) override {
      folder_.Tick();
      if (folder_.FailAppendAfter >= 0 && folder_.FailAppendAfter-- == 0) return false;
      folder_.Journals[path_] += text;
      return true;
    }
    bool Flush() override { return true; }
    bool Read(std::string& text) override {
      const std::string& all = folder_.Journals[path_];
      if (all.size() > kLargestWholeFile) return false;
      text = all;
      return true;
    }
    bool Clear() override {
      folder_.Journals[path_].clear();
      return true;
    }
    bool Remove() override {
      removed_ = true;
      return true;
    }

   private:
    MemoryFolder& folder_;
    std::string path_;
    bool held_;
    bool removed_ = false;
  };
  // A journal as another program would write it: emptied, not held.
  std::unique_ptr<JournalWriter> CreateJournal(const std::string& path) {
    Journals[path].clear();
    return std::make_unique<Writer>(*this, path, false);
  }
  std::unique_ptr<HeldJournal> HoldJournal(const std::string& path, bool create,
                                           JournalHold& how) override {
    Touch(path);
    if (Holders.count(path) != 0 || Elsewhere.count(path) != 0) {
      how = JournalHold::Busy;
      return nullptr;
    }
    if (Journals.count(path) == 0 && !create) {
      how = JournalHold::Missing;
      return nullptr;
    }
    if (RefuseJournals) {
      how = JournalHold::Failed;
      return nullptr;
    }
    Journals[path];
    how = JournalHold::Held;
    return std::make_unique<Writer>(*this, path, true);
  }
  bool PeekFile(const std::string& path, std::size_t most, std::string& text) override {
    const auto found = Journals.find(path);
    if (found == Journals.end()) return false;
    text = found->second.substr(0, most);
    return true;
  }
  std::string FileStamp(const std::string& path) override {
    ++StampCalls;
    const auto found = Journals.find(path);
    if (found == Journals.end()) return {};
    return std::to_string(found->second.size()) + ":" + std::to_string(std::hash<std::string>{}(found->second));
  }
  bool IsLinkFolder(const std::string& path) override {
    Touch(path);
    return Links.count(Key(path)) != 0;
  }
  bool RemoveFile(const std::string& path) override { return Journals.erase(path) != 0; }
  // Through glibc's own code page 932 tables.
  std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) override {
    return FromShiftJis(bytes);
  }

  // Each step at most 255 UTF-16 units, the path at most 32,760.
  static bool Holdable(const std::string& path) {
    const std::u16string units = Utf8ToUtf16(path);
    std::size_t step = 0;
    for (char16_t unit : units) {
      step = unit == u'\\' ? 0 : step + 1;
      if (step > 255) return false;
    }
    return units.size() <= 32760;
  }

  // Counts renames and journal writes; the one after StepsLeft reaches 0
  // is cut off. -1: never.
  void Tick() {
    if (StepsLeft < 0) return;
    if (StepsLeft == 0) throw PowerCut{};
    --StepsLeft;
  }
  int StepsLeft = -1;
  bool Identities = true;  // false: a file system that cannot tell files apart
  // The journal write after this many more refuses (-1: none does).
  int FailAppendAfter = -1;
  int ListCalls = 0;
  // Called once, before the next rename of a held file: another program at
  // work between the check and the rename.
  std::function<void()> BeforeHeldRename;
  // The next this many renames of a held file are called off before their
  // answer (carried out or not, as Rename decides): Unsure.
  int UnsureRenames = 0;
  std::vector<std::string> HoldCalls;

  std::map<std::string, std::string> Journals;
  std::set<std::string> Holders;    // journals held by this program
  std::set<std::string> Elsewhere;  // journals another Korvath holds
  std::set<std::string> Links;      // keys of folders that are links
  bool RefuseJournals = false;      // no journal can be opened
  int StampCalls = 0;
  // Every path looked at or changed, in order (journals and folder alike);
  // the preview's thread lists the folder too.
  std::vector<std::string> Touched;
  void Touch(const std::string& path) {
    const std::lock_guard<std::mutex> lock(touchGuard_.guard);
    Touched.push_back(path);
  }
  std::vector<std::string> ExistsCalls;
  std::vector<std::pair<std::string, std::string>> RenameCalls;
  std::vector<std::pair<std::string, std::string>> Renamed;

 private:
  // A copy of the folder gets a lock of its own.
  struct Guard {
    std::mutex guard;
    Guard() = default;
    Guard(const Guard&) {}
    Guard& operator=(const Guard&) { return *this; }
  };
  Guard touchGuard_;
  std::map<std::string, std::pair<std::string, int>> files_;
};

// Records what the run shows and answers its question.
class RecordingObserver : public RenameObserver {
 public:
  explicit RecordingObserver(MemoryFolder* folder = nullptr) : folder_(folder) {}

  bool Answer = true;
  std::vector<std::string> Events;  // in order, for sequence checks
  std::vector<std::string> Warnings;  // taken names, one per collision box
  std::vector<std::string> Boxes;     // texts of the other refusals
  std::vector<std::string> StartNumbers;
  std::vector<std::string> Counts;
  int Beeps = 0;
  int Asks = 0;
  int Rereads = 0;

  bool Ask(std::string_view text, std::string_view caption) override {
    ++Asks;
    Events.push_back("ask");
    LastAskText = text;
    LastAskCaption = caption;
    return Answer;
  }
  void WarnCollision(std::string_view text, std::string_view caption,
                     const std::string& newName) override {
    Events.push_back("warn " + newName);
    LastWarnText = text;
    LastWarnCaption = caption;
    Warnings.push_back(newName);
  }
  void Warn(std::string_view text, std::string_view caption) override {
    Events.push_back("box");
    LastWarnText = text;
    LastWarnCaption = caption;
    Boxes.push_back(std::string(text));
  }
  void Beep() override {
    Events.push_back("beep");
    ++Beeps;
  }
  void ShowStartNumber(const std::string& text) override {
    Events.push_back("start " + text);
    StartNumbers.push_back(text);
  }
  void ShowCompletedCount(const std::string& text) override {
    Events.push_back("count " + text);
    Counts.push_back(text);
  }
  void ShowProgress(std::size_t done, std::size_t total, const std::string&) override {
    if (total != ProgressTotal) ProgressTotal = total, ProgressSteps.clear();
    ProgressSteps.push_back(done);
  }
  // Answers "stop" from the call after this many (-1: never).
  bool StopRequested() override {
    if (StopAfter < 0) return false;
    if (StopAfter == 0) return Stopped = true;
    --StopAfter;
    return false;
  }
  int StopAfter = -1;
  bool Stopped = false;
  std::size_t ProgressTotal = 0;
  std::vector<std::size_t> ProgressSteps;

  std::vector<std::string> RereadFiles() override {
    Events.push_back("reread");
    ++Rereads;
    return folder_ != nullptr ? folder_->Names() : std::vector<std::string>{};
  }

  std::string LastAskText, LastAskCaption, LastWarnText, LastWarnCaption;

 private:
  MemoryFolder* folder_;
};

// A folder with the given files, listed and checked as asked.
struct Bench {
  FakeFields fields;
  MemoryFolder folder;
  RecordingObserver observer{&folder};
  RenameSession session{fields};
  PreviewRows preview;

  void List(std::initializer_list<std::pair<const char*, bool>> files) {
    List(std::vector<std::pair<const char*, bool>>(files));
  }
  void List(const std::vector<std::pair<const char*, bool>>& files) {
    int content = 0;
    for (const auto& [name, checked] : files) {
      folder.Add(name, ++content);
      session.Files.push_back({name, checked});
    }
    session.RefreshPreview(preview);
  }
  RenameRunResult Run() { return RunRename(session, preview, folder, observer); }
};

}  // namespace korvath::testing
