// The capture dates of files that real tools wrote (tests/data/capture,
// made by scripts/make-capture-samples.sh, whose expected.txt is what
// exiftool reads from them), and the reader's bounds on files that lie.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "CaptureDate.h"

namespace korvath {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST(CaptureDate, EveryToolMadeFileGivesTheDateExiftoolReads) {
  const std::string folder = KORVATH_CAPTURE_DATA;
  std::istringstream expected(ReadWhole(folder + "/expected.txt"));
  std::string line;
  int files = 0;
  while (std::getline(expected, line)) {
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string name = line.substr(0, tab);
    SCOPED_TRACE(name);
    EXPECT_TRUE(HasCaptureDateExtension(name));
    const std::string bytes = ReadWhole(folder + "/" + name);
    ASSERT_FALSE(bytes.empty());
    MemorySource source(bytes);
    const std::optional<CaptureDate> date = ReadCaptureDate(source);
    EXPECT_EQ(date ? CaptureDateText(*date) : "none", line.substr(tab + 1));
    ++files;
  }
  EXPECT_GE(files, 20);
}

// A file of any size whose bytes a function gives; counts what is read.
class MadeUpFile : public ByteSource {
 public:
  MadeUpFile(std::uint64_t size, std::function<std::uint8_t(std::uint64_t)> byte)
      : size_(size), byte_(std::move(byte)) {}
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override {
    ++reads;
    std::size_t count = 0;
    for (; count < length && offset + count < size_; ++count) out[count] = byte_(offset + count);
    read += count;
    return count;
  }
  std::uint64_t read = 0;
  int reads = 0;

 private:
  std::uint64_t size_;
  std::function<std::uint8_t(std::uint64_t)> byte_;
};

// Byte at of a file made of boxes or chunks of one size: header at the
// start of each, zeros in between.
std::uint8_t Repeated(std::uint64_t at, std::uint64_t first, std::uint64_t size,
                      const std::string& header, const std::string& start) {
  if (at < first) return at < start.size() ? static_cast<std::uint8_t>(start[at]) : 0;
  const std::uint64_t inside = (at - first) % size;
  return inside < header.size() ? static_cast<std::uint8_t>(header[inside]) : 0;
}

TEST(CaptureDate, FilesThatNeverEndAreReadWithinTheBudget) {
  constexpr std::uint64_t kHuge = 1ULL << 40;
  struct Case {
    const char* what;
    std::string start;   // the first bytes
    std::uint64_t size;  // then pieces of this size, each starting with header
    std::string header;
  };
  const Case cases[] = {
      {"JPEG of endless APP2 segments", "\xFF\xD8", 0x10001, "\xFF\xE2\xFF\xFF"},
      {"PNG of endless chunks", "\x89PNG\r\n\x1a\n", 0x10000C, std::string("\0\x10\0\0abcd", 8)},
      {"WebP of endless chunks", "RIFF\xff\xff\xff\xffWEBP", 0x100008,
       std::string("JUNK\0\0\x10\0", 8)},
      {"MP4 of endless free boxes", "", 0x1000000, std::string("\x01\0\0\0free", 8)},
      {"MP4 of boxes with 64-bit sizes", "", 0x100000000ULL,
       std::string("\0\0\0\x01skip\0\0\0\x01\0\0\0\0", 16)},
      {"MP4 whose movie box holds endless boxes", std::string("\0\0\0\0moov", 8), 0x1000,
       std::string("\0\0\x10\0udta", 8)},
      {"TIFF whose directories repeat", std::string("II*\0\x08\0\0\0\xff\xff", 10), 12,
       std::string("\x69\x87\x04\0\x01\0\0\0\x08\0\0\0", 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::uint64_t first = c.start.size();
    MadeUpFile file(
        kHuge, [&](std::uint64_t at) { return Repeated(at, first, c.size, c.header, c.start); });
    EXPECT_FALSE(ReadCaptureDate(file).has_value());
    EXPECT_LE(file.read, kCaptureReadBudget + 256 * 16);
    EXPECT_LE(file.reads, 1 + 256 + 8);
  }
}

TEST(CaptureDate, DatesWithAnOffsetAreUtcAndLocalOnesTakeTheComputersZone) {
  struct NinePm : LocalTimeZone {  // UTC+9
    std::int64_t LocalToUtc(std::int64_t local) const override {
      return local - 9LL * 3600 * 10000000;
    }
  } zone;
  CaptureDate local{2026, 12, 3, 10, 15, 12};
  CaptureDate tokyo = local;
  tokyo.HasOffset = true;
  tokyo.OffsetMinutes = 9 * 60;
  CaptureDate utc{2026, 12, 3, 1, 15, 12};
  utc.HasOffset = true;
  EXPECT_EQ(TimelineTicks(local, zone), TimelineTicks(tokyo, zone));
  EXPECT_EQ(TimelineTicks(utc, zone), TimelineTicks(tokyo, zone));
  // FILETIME of 2026-12-03 01:15:12 UTC.
  EXPECT_EQ(TimelineTicks(utc, zone), 134407341120000000ULL);
  CaptureDate burst = local;
  burst.Ticks = 1;
  EXPECT_LT(TimelineTicks(local, zone), TimelineTicks(burst, zone));
}

}  // namespace
}  // namespace korvath
