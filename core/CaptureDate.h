#pragma once
// The date a photo or a video was taken, read from the file itself: JPEG,
// TIFF and the TIFF-based raws, HEIC/HEIF/AVIF, PNG and WebP through their
// Exif block, MP4/MOV/3GP through the movie header and QuickTime's
// creation date. Every file is treated as written by a stranger: a read
// takes at most kCaptureReadBudget bytes of it and a bounded number of
// small header reads, nothing is allocated in a size the file gives, and a
// damaged or hostile file gives no date, never a crash or a hang.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvath {

inline constexpr std::size_t kCaptureReadBudget = 256 * 1024;
// The first read of every file, also the whole of a small one.
inline constexpr std::size_t kCaptureHeadSize = 64 * 1024;

// A date as the file writes it: a clock reading, with its offset from UTC
// when the file gives one (a movie header's time is UTC: offset 0).
struct CaptureDate {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  int Ticks = 0;  // fraction of the second in 100 ns units (from the sub-seconds)
  bool HasOffset = false;
  int OffsetMinutes = 0;  // east of UTC
  friend bool operator==(const CaptureDate&, const CaptureDate&) = default;
};

// A file's bytes, read at an offset. The platform opens the file; tests and
// the fuzz target read from memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Copies up to length bytes from offset; the count copied (0 at the end
  // or on a failed read).
  virtual std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override;

 private:
  std::string_view bytes_;
};

// True for the extensions whose files are opened for a date (jpg, heic,
// mp4, ... in any letter case); any other file is placed by its last-write
// time without being opened.
bool HasCaptureDateExtension(std::string_view name);

// Reads one file's capture date, the format chosen by its first bytes.
// The reader keeps its buffer from file to file.
class CaptureDateReader {
 public:
  CaptureDateReader();
  ~CaptureDateReader();
  CaptureDateReader(const CaptureDateReader&) = delete;
  CaptureDateReader& operator=(const CaptureDateReader&) = delete;

  std::optional<CaptureDate> Read(ByteSource& source);

 private:
  struct Buffer;
  std::unique_ptr<Buffer> buffer_;
};

std::optional<CaptureDate> ReadCaptureDate(ByteSource& source);

// "2026:12:03 10:15:12", ".5" with a fraction, "+09:00" with an offset:
// the form the tests compare with what other tools read.
std::string CaptureDateText(const CaptureDate& date);

// 100 ns ticks since 1601-01-01 of a clock reading taken as UTC (the
// FILETIME scale of last-write times); the offset is not applied.
std::int64_t CivilTicks(const CaptureDate& date);

// The computer's time zone: the UTC ticks of a local clock reading.
class LocalTimeZone {
 public:
  virtual ~LocalTimeZone() = default;
  virtual std::int64_t LocalToUtc(std::int64_t localTicks) const = 0;
};

// Where the date stands on the one timeline of last-write times: a date
// with an offset (or a movie's UTC time) as UTC; a local date without one
// in the computer's time zone.
std::uint64_t TimelineTicks(const CaptureDate& date, const LocalTimeZone& zone);

}  // namespace korvath
