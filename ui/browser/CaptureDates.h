#pragma once
// The capture dates of a folder's photos and videos, read on a thread of
// their own so that the window never waits for the disk; and the dates
// already read, kept while the program runs by path, size and last-write
// time (a file that changed is read again).

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace korvath {

// One file as the folder search saw it.
struct DatedFile {
  std::string Path;  // full path
  std::uint64_t Size = 0;
  std::uint64_t LastWrite = 0;
};

// Where a file stands on the timeline: the capture date when it has one
// (FILETIME ticks, UTC), none when it has not.
using PlacingDate = std::optional<std::uint64_t>;

class CaptureDateCache {
 public:
  // True (and date set) when the file was read at this size and time.
  bool Find(const DatedFile& file, PlacingDate& date) const;
  void Store(const DatedFile& file, PlacingDate date);

 private:
  struct Known {
    std::uint64_t Size;
    std::uint64_t LastWrite;
    PlacingDate Date;
  };
  std::unordered_map<std::string, Known> known_;
};

// Reads one file's capture date onto the timeline (local dates without an
// offset in the computer's time zone). Opens it for reading, shared with
// every other program.
PlacingDate ReadPlacingDate(const std::string& path);

// The reading of a list of files on a worker thread. The thread posts
// message to window with wparam = the job's number: lparam 0 for progress
// (at most every 100 ms), 1 when every file is read.
class CaptureDateJob {
 public:
  CaptureDateJob(HWND window, UINT message, unsigned number, std::vector<DatedFile> files);
  ~CaptureDateJob();  // stops the thread and waits for it (one file at most)
  CaptureDateJob(const CaptureDateJob&) = delete;
  CaptureDateJob& operator=(const CaptureDateJob&) = delete;

  unsigned Number() const { return number_; }
  std::size_t Total() const { return files_.size(); }
  std::size_t Done() const { return done_.load(); }
  // Once the thread has posted its end: the files and their dates.
  const std::vector<DatedFile>& Files() const { return files_; }
  const std::vector<PlacingDate>& Dates() const { return dates_; }
  void Wait();

 private:
  void Run();

  HWND window_;
  UINT message_;
  unsigned number_;
  std::vector<DatedFile> files_;
  std::vector<PlacingDate> dates_;
  std::atomic<std::size_t> done_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace korvath
