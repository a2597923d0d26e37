#include "PreviewWork.h"

#include <utility>

namespace korvath {

PreviewWork::PreviewWork(std::function<void()> ready) : ready_(std::move(ready)) {}

PreviewWork::~PreviewWork() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    ++latest_;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void PreviewWork::ResetTakenNames(FileSystem* fileSystem, std::string folder) {
  Cancel();
  const std::lock_guard<std::mutex> lock(takenMutex_);
  taken_.Reset(fileSystem, std::move(folder));
}

void PreviewWork::Start(const PreviewRows& preview) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = Request{++latest_, preview.Batch(), preview.Inputs()};
    done_.reset();
    requested_ = true;
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  wake_.notify_all();
}

void PreviewWork::Cancel() {
  const std::lock_guard<std::mutex> lock(mutex_);
  ++latest_;
  waiting_.reset();
  done_.reset();
  requested_ = false;
}

bool PreviewWork::Pending() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return requested_;
}

bool PreviewWork::TakeInto(PreviewRows& preview) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!done_ || done_->Generation != latest_ || done_->Batch != preview.Batch() ||
      !(done_->Inputs == preview.Inputs()) || preview.Complete()) {
    return false;
  }
  preview.Complete(std::move(result_));
  done_.reset();
  requested_ = false;
  return true;
}

void PreviewWork::CompleteNow(PreviewRows& preview) {
  Cancel();
  if (preview.Complete()) return;
  PreviewNames names;
  Compose(Request{0, preview.Batch(), preview.Inputs()}, names);
  preview.Complete(std::move(names));
}

bool PreviewWork::Compose(const Request& request, PreviewNames& names) {
  const std::lock_guard<std::mutex> lock(takenMutex_);
  const auto stop = [&] { return request.Generation != 0 && latest_ != request.Generation; };
  return ComposePreview(*request.Batch, request.Inputs, &taken_, names, keys_, stop);
}

void PreviewWork::Run() {
  for (;;) {
    Request request;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || waiting_.has_value(); });
      if (quit_) return;
      request = std::move(*waiting_);
      waiting_.reset();
    }
    PreviewNames names;
    const bool finished = Compose(request, names);
    bool tell = false;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (finished && request.Generation == latest_) {
        result_ = std::move(names);
        done_ = std::move(request);
        tell = true;
      }
    }
    if (tell && ready_) ready_();
  }
}

}  // namespace korvath
