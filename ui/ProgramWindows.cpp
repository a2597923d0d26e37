#include "ProgramWindows.h"

#include <utility>

#include "About.h"
#include "Application.h"
#include "Option.h"
#include "Setup.h"
#include "StartupPhases.h"
#include "UserLanguage.h"

namespace korvath {

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() { Destroy(); }

void ProgramWindows::Create(std::vector<std::string> startPaths) {
  Destroy();
  // Every window takes its texts in the user's display language.
  UseUserInterfaceLanguage();
  // Created first, the main window is the application's main window; its
  // creation sequence runs inside Create.
  setup_ = std::make_unique<TSetupForm1>(*this);
  setup_->StartPaths = std::move(startPaths);
  setup_->Create();

  NoteStartupPhase("main window created");
  about_ = std::make_unique<TAboutForm1>();
  about_->Create(Application.Handle());

  // The options dialog holds the user-defined masks that the settings save
  // reads at closing, so it lives until the main window has gone.
  NoteStartupPhase("About box created");
  option_ = std::make_unique<TOptionForm1>();
  option_->Create(Application.Handle());
  NoteStartupPhase("options dialog created");
  setup_->LoadOptionMasks();
  NoteStartupPhase("masks loaded");
}

void ProgramWindows::Destroy() {
  setup_.reset();
  option_.reset();
  about_.reset();
}

}  // namespace korvath
