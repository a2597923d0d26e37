#include "SetupRunDriver.h"

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "Application.h"
#include "ControlFocus.h"
#include "FileListBox.h"
#include "Handles.h"
#include "MessageBox.h"
#include "RenameTexts.h"
#include "SetupControls.h"
#include "StatusBar.h"
#include "PreviewWork.h"
#include "TaskbarProgress.h"
#include "WideText.h"
#include "WindowText.h"

namespace korvath {
namespace {
// The window handles its messages at least this often (ms) while the
// engine works between file system calls; during a call on the worker, at
// once.
constexpr ULONGLONG kPumpEvery = 20;
// A file system call this long (ms), or three a fifth as long in a row,
// show the file system slow: the window would stall for as long at each
// call.
constexpr LONGLONG kSlowCallMs = 25;
// The progress is shown at most this often (ms).
constexpr ULONGLONG kShowEvery = 50;
}  // namespace

// The run's file system. Quick calls are made on the window's thread,
// between its messages; once they turn slow, each goes to a worker thread
// while the window's messages are handled until it is done. Before the run
// is confirmed (and after it), calls are made directly.
class TSetupForm1::RunDriver::PumpingFileSystem : public FileSystem {
 public:
  PumpingFileSystem(FileSystem& inner, RunDriver& driver, bool slow)
      : inner_(inner), driver_(driver), slow_(slow) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    slowTicks_ = frequency.QuadPart * kSlowCallMs / 1000;
  }
  PumpingFileSystem(const PumpingFileSystem&) = delete;
  PumpingFileSystem& operator=(const PumpingFileSystem&) = delete;
  ~PumpingFileSystem() override {
    if (!thread_) return;
    ending_ = true;
    SetEvent(go_.Get());
    WaitForSingleObject(thread_.Get(), INFINITE);
  }

  bool Exists(const std::string& name) override {
    return Cancellable([&] { return inner_.Exists(name); });
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return Cancellable([&] { return inner_.Rename(from, to); });
  }
  std::string LastFailureReason() override {
    return Call([&] { return inner_.LastFailureReason(); });
  }
  bool EntryExists(const std::string& name) override {
    return Cancellable([&] { return inner_.EntryExists(name); });
  }
  bool ListNames(const std::string& folder, std::vector<std::string>& names) override {
    return Cancellable([&] { return inner_.ListNames(folder, names); });
  }
  std::unique_ptr<HeldJournal> HoldJournal(const std::string& path, bool create,
                                           JournalHold& how) override {
    std::unique_ptr<HeldJournal> held = Call([&] { return inner_.HoldJournal(path, create, how); });
    if (!held) return nullptr;
    return std::make_unique<Journal>(std::move(held), *this);
  }
  bool PeekFile(const std::string& path, std::size_t most, std::string& text) override {
    return Call([&] { return inner_.PeekFile(path, most, text); });
  }
  std::string FileStamp(const std::string& path) override {
    return Call([&] { return inner_.FileStamp(path); });
  }
  bool IsLinkFolder(const std::string& path) override {
    return Cancellable([&] { return inner_.IsLinkFolder(path); });
  }
  bool RemoveFile(const std::string& path) override {
    return Call([&] { return inner_.RemoveFile(path); });
  }
  std::string FileIdentity(const std::string& name) override {
    return Cancellable([&] { return inner_.FileIdentity(name); });
  }
  std::unique_ptr<HeldFile> Hold(const std::string& name) override {
    std::unique_ptr<HeldFile> held = Cancellable([&] { return inner_.Hold(name); });
    if (!held) return nullptr;
    return std::make_unique<Held>(std::move(held), *this);
  }
  // A conversion in memory, not a file call: nothing to wait for.
  std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) override {
    return inner_.ShiftJisToUtf8(bytes);
  }

 private:
  // A rename called off by a stop answers Unsure: the server may have
  // carried it out before the call was cancelled.
  class Held : public HeldFile {
   public:
    Held(std::unique_ptr<HeldFile> inner, PumpingFileSystem& files)
        : inner_(std::move(inner)), files_(files) {}
    std::string Identity() override {
      return files_.Cancellable([&] { return inner_->Identity(); });
    }
    Renamed RenameTo(const std::string& to) override {
      files_.cancelled_ = false;
      const Renamed renamed = files_.Cancellable([&] { return inner_->RenameTo(to); });
      return renamed == Renamed::No && files_.cancelled_ ? Renamed::Unsure : renamed;
    }

   private:
    std::unique_ptr<HeldFile> inner_;
    PumpingFileSystem& files_;
  };

  class Journal : public HeldJournal {
   public:
    Journal(std::unique_ptr<HeldJournal> inner, PumpingFileSystem& files)
        : inner_(std::move(inner)), files_(files) {}
    bool Append(std::string_view text) override {
      return files_.Call([&] { return inner_->Append(text); });
    }
    bool Flush() override {
      return files_.Call([&] { return inner_->Flush(); });
    }
    bool Read(std::string& text) override {
      return files_.Call([&] { return inner_->Read(text); });
    }
    bool Clear() override {
      return files_.Call([&] { return inner_->Clear(); });
    }
    bool Remove() override {
      return files_.Call([&] { return inner_->Remove(); });
    }

   private:
    std::unique_ptr<HeldJournal> inner_;
    PumpingFileSystem& files_;
  };

  // A call a stop may call off: a lookup or a rename, never a journal
  // write or a removal.
  template <class Job>
  auto Cancellable(Job&& job) -> decltype(job()) {
    cancellable_ = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{cancellable_};
    return Call(std::forward<Job>(job));
  }

  // Calls are made directly while they are quick: handing each to the
  // worker costs about a tenth of a local rename under Wine. After one long
  // call, or a few middling ones in a row, every later call goes to the worker.
  template <class Job>
  auto Call(Job&& job) -> decltype(job()) {
    if (!driver_.Active()) return job();
    if (!slow_) {
      driver_.PumpWhenDue();
      LARGE_INTEGER t0, t1;
      QueryPerformanceCounter(&t0);
      decltype(job()) result = job();
      QueryPerformanceCounter(&t1);
      // One long call, or a few middling ones in a row (a single one may be
      // the machine's hiccup).
      const LONGLONG took = t1.QuadPart - t0.QuadPart;
      slowInARow_ = took >= slowTicks_ / 5 ? slowInARow_ + 1 : 0;
      slow_ = took >= slowTicks_ || slowInARow_ >= 3;
      return result;
    }
    decltype(job()) result{};
    const std::function<void()> work = [&] { result = job(); };
    RunOnWorker(work);
    return result;
  }

  // The job runs on the worker while the window's messages are handled.
  // Whatever happens in that handling, this returns only once the worker
  // is done: the job writes into its caller's frame.
  void RunOnWorker(const std::function<void()>& work) {
    if (!thread_ && !Start()) {
      work();  // no worker to be had: the window waits, as without one
      return;
    }
    driver_.PumpWhenDue();
    job_ = &work;
    error_ = nullptr;
    SetEvent(go_.Get());
    const HANDLE done = done_.Get();
    std::exception_ptr pumpError;
    for (;;) {
      const DWORD woke =
          MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      if (woke == WAIT_OBJECT_0) break;
      if (woke != WAIT_OBJECT_0 + 1 || pumpError) {
        WaitForSingleObject(done, INFINITE);
        break;
      }
      try {
        driver_.Pump();
      } catch (...) {
        pumpError = std::current_exception();
      }
    }
    if (pumpError) std::rethrow_exception(pumpError);
    if (error_) std::rethrow_exception(error_);
  }

  // The two events, then the thread; false, with nothing left over, when
  // the system gives one of them not.
  bool Start() {
    go_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    done_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (go_ && done_) thread_.Reset(CreateThread(nullptr, 0, &Work, this, 0, nullptr));
    if (thread_) return true;
    go_.Reset(nullptr);
    done_.Reset(nullptr);
    return false;
  }

 public:
  // After a confirmed stop: a lookup or a rename the worker is still
  // waiting on (a share gone from the network) is called off. A rename
  // called off is then looked for on the disk: the server may have carried
  // it out.
  void CancelRename() {
    if (thread_ && cancellable_ && slow_ && CancelSynchronousIo(thread_.Get())) cancelled_ = true;
  }

 private:
  static DWORD WINAPI Work(void* self) {
    auto& files = *static_cast<PumpingFileSystem*>(self);
    for (;;) {
      WaitForSingleObject(files.go_.Get(), INFINITE);
      if (files.ending_) return 0;
      try {
        (*files.job_)();
      } catch (...) {
        files.error_ = std::current_exception();
      }
      SetEvent(files.done_.Get());
    }
  }

  FileSystem& inner_;
  RunDriver& driver_;
  // Declared first, freed last: the thread is waited for before its events go.
  OwnedKernelObject go_;    // a job is waiting
  OwnedKernelObject done_;  // the job is done
  OwnedKernelObject thread_;
  const std::function<void()>* job_ = nullptr;
  std::exception_ptr error_;
  std::atomic<bool> ending_{false};
  bool slow_ = false;      // calls go to the worker
  bool cancellable_ = false;  // the call in hand is a lookup or a rename
  bool cancelled_ = false;    // CancelSynchronousIo was called during the rename in hand
  int slowInARow_ = 0;
  LONGLONG slowTicks_ = 0;
};

namespace {
// A folder on a share or on a drive mapped to one.
bool OnTheNetwork(const std::string& folder) {
  if (folder.rfind("\\\\", 0) == 0) return true;
  if (folder.size() < 2 || folder[1] != ':') return false;
  const std::wstring root = Widen(folder.substr(0, 2)) + L"\\";
  return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}
}  // namespace

TSetupForm1::RunDriver::RunDriver(TSetupForm1& form, const std::string& folder,
                                  std::string_view stopQuestion)
    : form_(form),
      files_(std::make_unique<PumpingFileSystem>(*form.fileSystem_, *this, OnTheNetwork(folder))),
      stopQuestion_(stopQuestion) {
  form_.run_ = this;
}

TSetupForm1::RunDriver::~RunDriver() {
  files_.reset();
  if (active_) {
    active_ = false;
    UnlockInputs();
    for (int panel : {kPanelName, kPanelSize}) form_.SetStatusText(panel, "");
    SendMessageW(form_.StatusBar1, kStatusBarSetProgress, kPanelTime, -1);
    form_.SetStatusText(kPanelTime, "");
  }
  taskbar_.reset();
  form_.run_ = nullptr;
  if (quit_) PostQuitMessage(quitCode_);
}

FileSystem& TSetupForm1::RunDriver::Files() { return *files_; }

bool TSetupForm1::RunDriver::Closing() const { return form_.closeAfterRun_; }

void TSetupForm1::RunDriver::ShowProgress(std::size_t done, std::size_t total,
                                          const std::string& name) {
  if (!active_) {
    active_ = true;
    LockInputs();
    taskbar_ = std::make_unique<TaskbarProgress>(Application.Handle());
    lastPump_ = GetTickCount64();
  }
  // Every kShowEvery ms: drawing three panels per file would cost a fast
  // run a third of its time under Wine.
  const ULONGLONG now = GetTickCount64();
  if (name.empty() || now - lastShown_ >= kShowEvery) {
    lastShown_ = now;
    form_.SetStatusText(kPanelName, name);
    form_.SetStatusText(kPanelSize, ProgressText(done, total));  // files settled
    const LPARAM thousandths = total > 0 ? static_cast<LPARAM>(done * 1000 / total) : 0;
    SendMessageW(form_.StatusBar1, kStatusBarSetProgress, kPanelTime, thousandths);
    taskbar_->Show(done, total);
  }
  PumpWhenDue();
}

void TSetupForm1::RunDriver::AskStop(bool closing) {
  if (!active_) return;
  if (!stop_ && !asking_) {
    asking_ = true;
    stop_ = ShowMessage(form_.Handle(), stopQuestion_, std::string(ConfirmRenameCaption),
                        MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1) == IDYES;
    asking_ = false;
    if (!stop_) return;
    files_->CancelRename();
  } else if (!stop_) {
    return;  // the question is already on screen
  }
  if (closing) form_.closeAfterRun_ = true;
}

void TSetupForm1::RunDriver::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Handed on to the program's loop once the run is over.
      quit_ = true;
      quitCode_ = static_cast<int>(msg.wParam);
      continue;
    }
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageW(active, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  lastPump_ = GetTickCount64();
  if (askPending_ && !asking_) {
    askPending_ = false;
    AskStop(false);
  }
}

void TSetupForm1::RunDriver::PumpWhenDue() {
  if (active_ && GetTickCount64() - lastPump_ >= kPumpEvery) Pump();
}

void TSetupForm1::RunDriver::LockInputs() {
  TSetupForm1& f = form_;
  HWND form = f.Handle();
  HWND focus = GetFocus();
  focus_ = focus && IsChild(form, focus) ? focus : nullptr;
  caption_ = WindowText(f.BitBtn1);
  SetWindowTextUtf8(f.BitBtn1, StopRunCaption);
  buttonEnabled_ = IsWindowEnabled(f.BitBtn1) != FALSE;
  EnableWindow(f.BitBtn1, TRUE);
  if (focus_) SetFocus(f.BitBtn1);
  f.lastFocus_ = f.BitBtn1;
  // The naming fields, the step buttons and the browser: what the table
  // marks as locked while a run lasts.
  for (const SetupRow& row : ControlRows()) {
    if (!row.lockedInRun) continue;
    HWND input = f.ControlByName(row.name);
    if (!input) continue;
    locked_.push_back({input, IsWindowEnabled(input) != FALSE});
    EnableControl(input, false);
  }
  const int menus = GetMenuItemCount(f.MainMenu1);
  for (int i = 0; i < menus; ++i) {
    const UINT state = GetMenuState(f.MainMenu1, static_cast<UINT>(i), MF_BYPOSITION);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED))) continue;
    EnableMenuItem(f.MainMenu1, static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
    lockedMenus_.push_back(static_cast<UINT>(i));
  }
  f.LockSystemMenu(true);
  DrawMenuBar(form);
}

void TSetupForm1::RunDriver::UnlockInputs() {
  TSetupForm1& f = form_;
  SetWindowTextUtf8(f.BitBtn1, caption_);
  EnableControl(f.BitBtn1, buttonEnabled_);
  InvalidateRect(f.BitBtn1, nullptr, FALSE);
  for (const Locked& input : locked_) EnableControl(input.window, input.enabled);
  for (UINT position : lockedMenus_) {
    EnableMenuItem(f.MainMenu1, position, MF_BYPOSITION | MF_ENABLED);
  }
  f.LockSystemMenu(false);
  DrawMenuBar(f.Handle());
  if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_)) {
    if (GetFocus() == f.BitBtn1 || !GetFocus()) SetFocus(focus_);
    f.lastFocus_ = focus_;
  }
}

void TSetupForm1::ReplaceFileSystem(std::unique_ptr<FileSystem> fileSystem) {
  fileSystem_ = std::move(fileSystem);
  previewWork_->ResetTakenNames(fileSystem_.get(), FileListBox1->Directory());
}

}  // namespace korvath
