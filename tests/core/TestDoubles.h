#pragma once
// Stand-ins for the main window and the file system, shared by the core
// tests.

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "NamingFields.h"
#include "RenameRun.h"
#include "RenameTexts.h"

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

// Windows-like folder in memory: names compare without regard to ASCII
// letter case, a rename never replaces, each file carries a content tag so
// that a test can see files lost or overwritten.
class MemoryFolder : public FileSystem {
 public:
  static std::string Key(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
  }

  void Add(const std::string& name, int content) { files_[Key(name)] = {name, content}; }
  void Remove(const std::string& name) { files_.erase(Key(name)); }
  bool Has(const std::string& name) const { return files_.count(Key(name)) != 0; }
  int ContentOf(const std::string& name) const { return files_.at(Key(name)).second; }
  std::size_t Size() const { return files_.size(); }

  // Names as the browser would list them (sorted without regard to case).
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& [key, file] : files_) names.push_back(file.first);
    return names;
  }
  std::vector<int> Contents() const {
    std::vector<int> contents;
    for (const auto& [key, file] : files_) contents.push_back(file.second);
    std::sort(contents.begin(), contents.end());
    return contents;
  }

  bool Exists(const std::string& name) override {
    ExistsCalls.push_back(name);
    return Has(name);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    RenameCalls.push_back({from, to});
    if (!Has(from) || Has(to)) return false;
    const int content = ContentOf(from);
    Remove(from);
    Add(to, content);
    Renamed.push_back({from, to});
    return true;
  }
  std::string LastFailureReason() override { return "refused"; }

  std::vector<std::string> ExistsCalls;
  std::vector<std::pair<std::string, std::string>> RenameCalls;
  std::vector<std::pair<std::string, std::string>> Renamed;

 private:
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
  std::vector<std::string> RereadFiles() override {
    Events.push_back("reread");
    ++Rereads;
    return folder_ != nullptr ? folder_->Names() : std::vector<std::string>{};
  }

  std::string LastAskText, LastAskCaption, LastWarnText, LastWarnCaption;

 private:
  MemoryFolder* folder_;
};

}  // namespace korvath::testing
