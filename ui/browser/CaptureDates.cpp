#include "CaptureDates.h"

#include "CaptureDate.h"
#include "Handles.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

constexpr ULONGLONG kProgressEvery = 100;  // ms

class FileSource : public ByteSource {
 public:
  FileSource(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(file_, out, static_cast<DWORD>(length), &read, &at)) return 0;
    return read;
  }

 private:
  HANDLE file_;
  std::uint64_t size_;
};

class ComputerTimeZone : public LocalTimeZone {
 public:
  std::int64_t LocalToUtc(std::int64_t localTicks) const override {
    const FILETIME local{static_cast<DWORD>(localTicks), static_cast<DWORD>(localTicks >> 32)};
    SYSTEMTIME localTime, universal;
    FILETIME utc;
    // The zone's rule on that day (summer time included), not today's bias.
    if (!FileTimeToSystemTime(&local, &localTime) ||
        !TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &universal) ||
        !SystemTimeToFileTime(&universal, &utc)) {
      return localTicks;
    }
    return static_cast<std::int64_t>(std::uint64_t{utc.dwHighDateTime} << 32 | utc.dwLowDateTime);
  }
};

PlacingDate ReadWith(CaptureDateReader& reader, const std::string& path) {
  OwnedFile file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  FileSource source(file.Get(), static_cast<std::uint64_t>(size.QuadPart));
  const std::optional<CaptureDate> date = reader.Read(source);
  if (!date) return std::nullopt;
  return TimelineTicks(*date, ComputerTimeZone());
}

}  // namespace

bool CaptureDateCache::Find(const DatedFile& file, PlacingDate& date) const {
  auto found = known_.find(file.Path);
  if (found == known_.end() || found->second.Size != file.Size ||
      found->second.LastWrite != file.LastWrite) {
    return false;
  }
  date = found->second.Date;
  return true;
}

void CaptureDateCache::Store(const DatedFile& file, PlacingDate date) {
  known_[file.Path] = {file.Size, file.LastWrite, date};
}

PlacingDate ReadPlacingDate(const std::string& path) {
  CaptureDateReader reader;
  return ReadWith(reader, path);
}

CaptureDateJob::CaptureDateJob(HWND window, UINT message, unsigned number,
                               std::vector<DatedFile> files)
    : window_(window),
      message_(message),
      number_(number),
      files_(std::move(files)),
      dates_(files_.size()),
      thread_([this] { Run(); }) {}

CaptureDateJob::~CaptureDateJob() {
  stop_ = true;
  Wait();
}

void CaptureDateJob::Wait() {
  if (thread_.joinable()) thread_.join();
}

void CaptureDateJob::Run() {
  CaptureDateReader reader;
  ULONGLONG lastPost = GetTickCount64();
  for (std::size_t i = 0; i < files_.size(); ++i) {
    if (stop_) return;
    dates_[i] = ReadWith(reader, files_[i].Path);
    done_ = i + 1;
    const ULONGLONG now = GetTickCount64();
    if (now - lastPost >= kProgressEvery) {
      lastPost = now;
      PostMessageW(window_, message_, number_, 0);
    }
  }
  if (!stop_) PostMessageW(window_, message_, number_, 1);
}

}  // namespace korvath
