#pragma once
// The whole preview's names and marks, worked out on a thread of its own
// so that a keystroke costs only the rows on screen. Each request cancels
// the one before; a result is taken only for the preview it was asked for.
// The names held in the shown folder (read once per reading of the folder)
// belong to this work: whoever computes marks does it through here.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "PreviewRows.h"
#include "TakenNames.h"

namespace korvath {

class FileSystem;

class PreviewWork {
 public:
  // ready is called on the worker thread once a result waits to be taken.
  explicit PreviewWork(std::function<void()> ready);
  PreviewWork(const PreviewWork&) = delete;
  PreviewWork& operator=(const PreviewWork&) = delete;
  ~PreviewWork();

  // The folder has been read (again): the names held in it are forgotten.
  void ResetTakenNames(FileSystem* fileSystem, std::string folder);
  // Starts the names and marks of preview's batch and inputs.
  void Start(const PreviewRows& preview);
  // Gives up whatever is under way or waiting.
  void Cancel();
  // True while a request has no result yet.
  bool Pending() const;
  // Completes preview with the result asked for it, when there; true then.
  bool TakeInto(PreviewRows& preview);
  // Completes preview now, on the calling thread.
  void CompleteNow(PreviewRows& preview);

 private:
  struct Request {
    std::uint64_t Generation = 0;
    std::shared_ptr<const PreviewBatch> Batch;
    PreviewInputs Inputs;
  };
  void Run();
  bool Compose(const Request& request, PreviewNames& names);

  std::function<void()> ready_;
  mutable std::mutex mutex_;  // guards the fields below
  std::condition_variable wake_;
  std::optional<Request> waiting_;
  std::optional<Request> done_;
  PreviewNames result_;
  bool quit_ = false;
  bool requested_ = false;                // a request waits for its result to be taken
  std::atomic<std::uint64_t> latest_{0};  // the generation of the last request
  std::mutex takenMutex_;                 // held while taken_ is used
  TakenNames taken_;
  std::vector<std::string> keys_;  // the new names' keys, kept for their storage
  std::thread thread_;  // started with the first request
};

}  // namespace korvath
