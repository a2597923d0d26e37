// Drives a modal window from inside its own loop: the steps run one per
// timer tick (every `tick` milliseconds) while the window is shown, so that
// the loop handles whatever each step posts before the next one runs. A
// window still shown ten ticks after the last step is closed, so that a
// fault cannot hang the caller.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace korvath::testsupport {

class ModalScript {
 public:
  using Step = std::function<void()>;

  struct Outcome {
    int result = 0;            // what the opening returned
    std::size_t stepsRun = 0;  // fewer than the steps: the window closed first
    bool leftOpen = false;     // still shown after the last step: closed here
  };

  // `open` shows window by some route and returns when it has closed.
  static Outcome Run(HWND window, const std::function<int()>& open, std::vector<Step> steps,
                     UINT tick = 10) {
    ModalScript script{window, std::move(steps)};
    current_ = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, tick, &ModalScript::Tick);
    script.outcome_.result = open();
    KillTimer(nullptr, timer);
    current_ = nullptr;
    script.outcome_.stepsRun = script.next_;
    return script.outcome_;
  }

  // A dialog shown by its own ShowModal.
  template <class Dialog>
  static Outcome Run(Dialog& dialog, std::vector<Step> steps, UINT tick = 10) {
    return Run(
        dialog.Handle(), [&] { return dialog.ShowModal(); }, std::move(steps), tick);
  }

 private:
  ModalScript(HWND window, std::vector<Step> steps) : window_(window), steps_(std::move(steps)) {}

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* s = current_;
    if (!s) return;
    if (s->next_ < s->steps_.size()) {
      s->steps_[s->next_++]();
    } else if (++s->idleTicks_ > 10 && IsWindowVisible(s->window_)) {
      s->outcome_.leftOpen = true;
      PostMessageW(s->window_, WM_CLOSE, 0, 0);
    }
  }

  static inline ModalScript* current_ = nullptr;
  HWND window_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int idleTicks_ = 0;
  Outcome outcome_;
};

}  // namespace korvath::testsupport
