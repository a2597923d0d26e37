#pragma once
// The program's three windows, made in start-up order: the main window with
// its creation sequence, the About box, the options dialog. The windows reach
// each other through it: the main window opens the dialogs it holds. The
// program entry and the window tests start the program through this one
// sequence.

#include <memory>
#include <string>
#include <vector>

namespace korvath {

class TSetupForm1;
class TAboutForm1;
class TOptionForm1;

class ProgramWindows {
 public:
  ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;
  ~ProgramWindows();

  // Creates the windows, hidden; the main window first shows the folder of
  // startPaths (from the command line) when there are any. Throws what the
  // creation sequence does not report itself.
  void Create(std::vector<std::string> startPaths = {});
  // Destroys the windows: the main window first, because its closing reads
  // the user's masks from the options dialog. Creating again is allowed.
  void Destroy();

  TSetupForm1& Setup() const { return *setup_; }
  TAboutForm1& About() const { return *about_; }
  TOptionForm1& Option() const { return *option_; }
  // The dialogs for the main window, null while they are not made: the main
  // window's creation sequence runs before them, and its closing after.
  TAboutForm1* AboutForm() const { return about_.get(); }
  TOptionForm1* OptionForm() const { return option_.get(); }

 private:
  std::unique_ptr<TSetupForm1> setup_;
  std::unique_ptr<TAboutForm1> about_;
  std::unique_ptr<TOptionForm1> option_;
};

}  // namespace korvath
