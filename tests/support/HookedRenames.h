#pragma once
// The window's own file system with something done before each rename (a
// pause, as on a slow share; a key press; another program's file), whether
// the rename goes by name or through a held file.

#include <memory>
#include <string>
#include <utility>

#include "Win32FileSystem.h"

namespace korvath::testsupport {

class HookedRenames : public Win32FileSystem {
 public:
  bool Rename(const std::string& from, const std::string& to) override {
    BeforeRename();
    return Win32FileSystem::Rename(from, to);
  }
  std::unique_ptr<HeldFile> Hold(const std::string& name) override {
    std::unique_ptr<HeldFile> held = Win32FileSystem::Hold(name);
    if (!held) return nullptr;
    return std::make_unique<Hooked>(std::move(held), *this);
  }

 protected:
  // On whichever thread makes the rename.
  virtual void BeforeRename() = 0;

 private:
  class Hooked : public HeldFile {
   public:
    Hooked(std::unique_ptr<HeldFile> inner, HookedRenames& files)
        : inner_(std::move(inner)), files_(files) {}
    std::string Identity() override { return inner_->Identity(); }
    Renamed RenameTo(const std::string& to) override {
      files_.BeforeRename();
      return inner_->RenameTo(to);
    }

   private:
    std::unique_ptr<HeldFile> inner_;
    HookedRenames& files_;
  };
};

}  // namespace korvath::testsupport
