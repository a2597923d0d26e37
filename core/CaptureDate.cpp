// The capture-date reader's front: the bounded reads, the format chosen by
// the first bytes, the JPEG, PNG and WebP containers of an Exif block, the
// date texts and the timeline.

#include "CaptureDate.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "CaptureBytes.h"

namespace korvath {
using namespace capture;

std::size_t MemorySource::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t count = std::min<std::uint64_t>(length, bytes_.size() - offset);
  std::memcpy(out, bytes_.data() + offset, count);
  return count;
}

namespace capture {

BoundedReader::BoundedReader(ByteSource& source, std::uint8_t* arena)
    : source_(source), arena_(arena), size_(source.Size()) {
  const std::size_t want =
      static_cast<std::size_t>(std::min<std::uint64_t>(size_, kCaptureHeadSize));
  headLength_ = source_.ReadAt(0, arena_, want);
  used_ = headLength_;
}

bool BoundedReader::Header(std::uint64_t offset, std::uint8_t* out, std::size_t length) {
  if (length > 16 || offset > size_ || length > size_ - offset) return false;
  if (offset + length <= headLength_) {
    std::memcpy(out, arena_ + offset, length);
    return true;
  }
  if (++headerReads_ > kHeaderReads) return false;
  return source_.ReadAt(offset, out, length) == length;
}

Bytes BoundedReader::Read(std::uint64_t offset, std::size_t length) {
  if (offset > size_ || length > size_ - offset) return {};
  if (offset + length <= headLength_) return {arena_ + offset, length};
  if (length > kCaptureReadBudget - used_) return {};
  std::uint8_t* out = arena_ + used_;
  if (source_.ReadAt(offset, out, length) != length) return {};
  used_ += length;
  return {out, length};
}

namespace {

int Digits(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool DaysFit(int year, int month, int day) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month != 2 || day < 29 || leap;
}

// Date and time fields read at their places: sep1 between the date's
// fields, sep2 between date and time.
std::optional<CaptureDate> ParseFields(std::string_view text, char sep1, char sep2) {
  if (text.size() < 19 || text[4] != sep1 || text[7] != sep1 || text[13] != ':' ||
      text[16] != ':' || (text[10] != sep2 && text[10] != ' ')) {
    return std::nullopt;
  }
  CaptureDate date;
  date.Year = Digits(text, 0, 4);
  date.Month = Digits(text, 5, 2);
  date.Day = Digits(text, 8, 2);
  date.Hour = Digits(text, 11, 2);
  date.Minute = Digits(text, 14, 2);
  date.Second = Digits(text, 17, 2);
  if (date.Year < 1601 || date.Year > 9999 || !DaysFit(date.Year, date.Month, date.Day) ||
      date.Hour < 0 || date.Hour > 23 || date.Minute < 0 || date.Minute > 59 || date.Second < 0 ||
      date.Second > 59) {
    return std::nullopt;
  }
  return date;
}

// Ticks of a fraction's digits ("5" is 5,000,000); the digits used.
std::size_t ReadFraction(std::string_view text, int& ticks) {
  std::size_t used = 0;
  int scale = 1000000;
  ticks = 0;
  while (used < text.size() && text[used] >= '0' && text[used] <= '9') {
    if (scale > 0) ticks += (text[used] - '0') * scale;
    scale /= 10;
    ++used;
  }
  return used;
}

// "+09:00", "+0900", "+09", "Z"; the characters used, 0 when none fits.
std::size_t ReadOffset(std::string_view text, CaptureDate& date) {
  if (!text.empty() && text[0] == 'Z') {
    date.HasOffset = true;
    date.OffsetMinutes = 0;
    return 1;
  }
  if (text.empty() || (text[0] != '+' && text[0] != '-')) return 0;
  const int hours = Digits(text, 1, 2);
  std::size_t used = 3;
  int minutes = 0;
  if (text.size() > 3 && text[3] == ':') {
    minutes = Digits(text, 4, 2);
    used = 6;
  } else if (text.size() >= 5 && Digits(text, 3, 2) >= 0) {
    minutes = Digits(text, 3, 2);
    used = 5;
  }
  if (hours < 0 || hours > 14 || minutes < 0 || minutes > 59) return 0;
  date.HasOffset = true;
  date.OffsetMinutes = (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
  return used;
}

std::int64_t DaysFromCivil(int year, int month, int day) {
  // Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yoe = year - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<std::int64_t>(era) * 146097 + doe - 719468;
}

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kDays1601To1970 = 134774;

}  // namespace

std::optional<CaptureDate> ParseExifDate(std::string_view text) {
  return ParseFields(text, ':', ' ');
}

void ApplySubSeconds(std::string_view text, CaptureDate& date) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int ticks = 0;
  if (ReadFraction(text, ticks) > 0) date.Ticks = ticks;
}

void ApplyOffset(std::string_view text, CaptureDate& date) {
  CaptureDate read = date;
  if (ReadOffset(text, read) > 0) date = read;
}

std::optional<CaptureDate> ParseIsoDate(std::string_view text) {
  std::optional<CaptureDate> date = ParseFields(text, '-', 'T');
  if (!date) return std::nullopt;
  std::string_view rest = text.substr(19);
  if (!rest.empty() && (rest[0] == '.' || rest[0] == ',')) {
    rest.remove_prefix(1 + ReadFraction(rest.substr(1), date->Ticks));
  }
  ReadOffset(rest, *date);
  return date;
}

bool PlausibleMovieDate(const CaptureDate& date) { return date.Year >= 1990 && date.Year <= 2100; }

CaptureDate DateFromMovieSeconds(std::uint64_t seconds) {
  CaptureDate date;
  date.HasOffset = true;
  // Past 2100 it is no camera's date anyway; keep the arithmetic small.
  if (seconds > 7000000000ULL) return date;
  std::int64_t days = static_cast<std::int64_t>(seconds / 86400) - 24107;  // 1904 to 1970
  std::int64_t rest = static_cast<std::int64_t>(seconds % 86400);
  // Civil date from days since 1970 (the inverse of DaysFromCivil).
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  date.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.Year = static_cast<int>(yoe + era * 400 + (date.Month <= 2));
  date.Hour = static_cast<int>(rest / 3600);
  date.Minute = static_cast<int>(rest / 60 % 60);
  date.Second = static_cast<int>(rest % 60);
  return date;
}

namespace {

// JPEG: the segments up to the scan, the first APP1 that is an Exif block.
std::optional<CaptureDate> DateFromJpeg(BoundedReader& reader) {
  std::uint64_t pos = 2;
  for (int segment = 0; segment < kChildBoxes; ++segment) {
    std::uint8_t header[10];
    if (!reader.Header(pos, header, 4)) return std::nullopt;
    if (header[0] != 0xFF) return std::nullopt;
    const std::uint8_t marker = header[1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      pos += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // the scan: no Exif past it
    const std::uint16_t length = Be16(header + 2);
    if (length < 2) return std::nullopt;
    if (marker == 0xE1 && length >= 8 && reader.Header(pos + 4, header + 4, 6) &&
        std::memcmp(header + 4, "Exif\0\0", 6) == 0) {
      const Bytes block = reader.Read(pos + 10, length - 8);
      return block.empty() ? std::nullopt : DateFromExif(block);
    }
    pos += 2 + static_cast<std::uint64_t>(length);
  }
  return std::nullopt;
}

// PNG: the chunks up to IEND; eXIf may stand after the image data.
std::optional<CaptureDate> DateFromPng(BoundedReader& reader) {
  std::uint64_t pos = 8;
  for (int chunk = 0; chunk < kChildBoxes; ++chunk) {
    std::uint8_t header[8];
    if (!reader.Header(pos, header, 8)) return std::nullopt;
    const std::uint32_t length = Be32(header);
    if (length > 0x7FFFFFFF) return std::nullopt;
    if (Tag(header + 4, "eXIf")) {
      const Bytes block = reader.Read(pos + 8, length);
      return block.empty() ? std::nullopt : DateFromExif(block);
    }
    if (Tag(header + 4, "IEND")) return std::nullopt;
    pos += 12 + static_cast<std::uint64_t>(length);
  }
  return std::nullopt;
}

// WebP: the RIFF chunks (padded to even sizes), the one called EXIF.
std::optional<CaptureDate> DateFromWebp(BoundedReader& reader) {
  std::uint64_t pos = 12;
  for (int chunk = 0; chunk < kChildBoxes; ++chunk) {
    std::uint8_t header[8];
    if (!reader.Header(pos, header, 8)) return std::nullopt;
    const std::uint32_t length = Le32(header + 4);
    if (Tag(header, "EXIF")) {
      const Bytes block = reader.Read(pos + 8, length);
      return block.empty() ? std::nullopt : DateFromExif(block);
    }
    pos += 8 + static_cast<std::uint64_t>(length) + (length & 1);
  }
  return std::nullopt;
}

}  // namespace
}  // namespace capture

bool HasCaptureDateExtension(std::string_view name) {
  static constexpr std::string_view kExtensions[] = {
      "jpg",  "jpeg", "jpe",  "jfif", "tif", "tiff", "dng",  "nef",  "nrw",
      "arw",  "sr2",  "cr2",  "orf",  "rw2", "pef",  "heic", "heif", "hif",
      "avif", "png",  "webp", "mp4",  "m4v", "mov",  "qt",   "3gp",  "3g2"};
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.size() - dot - 1 > 4) return false;
  char lower[5] = {};
  const std::string_view ext = name.substr(dot + 1);
  for (std::size_t i = 0; i < ext.size(); ++i) {
    const char c = ext[i];
    lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  const std::string_view folded(lower, ext.size());
  return std::find(std::begin(kExtensions), std::end(kExtensions), folded) != std::end(kExtensions);
}

struct CaptureDateReader::Buffer {
  std::vector<std::uint8_t> arena = std::vector<std::uint8_t>(kCaptureReadBudget);
};

CaptureDateReader::CaptureDateReader() : buffer_(std::make_unique<Buffer>()) {}
CaptureDateReader::~CaptureDateReader() = default;

std::optional<CaptureDate> CaptureDateReader::Read(ByteSource& source) {
  BoundedReader reader(source, buffer_->arena.data());
  const Bytes head = reader.Head();
  if (head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
    return DateFromJpeg(reader);
  }
  if (IsTiffHeader(head)) return DateFromTiffFile(reader);
  if (head.size() >= 8 && std::memcmp(head.data(), "\x89PNG\r\n\x1a\n", 8) == 0) {
    return DateFromPng(reader);
  }
  if (head.size() >= 12 && Tag(head.data(), "RIFF") && Tag(head.data() + 8, "WEBP")) {
    return DateFromWebp(reader);
  }
  if (IsMediaBoxes(head)) return DateFromMediaBoxes(reader);
  return std::nullopt;
}

std::optional<CaptureDate> ReadCaptureDate(ByteSource& source) {
  CaptureDateReader reader;
  return reader.Read(source);
}

std::string CaptureDateText(const CaptureDate& date) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", date.Year, date.Month, date.Day,
                date.Hour, date.Minute, date.Second);
  std::string result = text;
  if (date.Ticks > 0) {
    std::snprintf(text, sizeof text, ".%07d", date.Ticks);
    std::string fraction = text;
    while (fraction.back() == '0') fraction.pop_back();
    result += fraction;
  }
  if (date.HasOffset) {
    const int minutes = date.OffsetMinutes < 0 ? -date.OffsetMinutes : date.OffsetMinutes;
    std::snprintf(text, sizeof text, "%c%02d:%02d", date.OffsetMinutes < 0 ? '-' : '+',
                  minutes / 60, minutes % 60);
    result += text;
  }
  return result;
}

std::int64_t CivilTicks(const CaptureDate& date) {
  const std::int64_t days = DaysFromCivil(date.Year, date.Month, date.Day) + kDays1601To1970;
  const std::int64_t seconds = days * 86400 + date.Hour * 3600 + date.Minute * 60 + date.Second;
  return seconds * kTicksPerSecond + date.Ticks;
}

std::uint64_t TimelineTicks(const CaptureDate& date, const LocalTimeZone& zone) {
  const std::int64_t civil = CivilTicks(date);
  const std::int64_t utc =
      date.HasOffset ? civil - static_cast<std::int64_t>(date.OffsetMinutes) * 60 * kTicksPerSecond
                     : zone.LocalToUtc(civil);
  return utc < 0 ? 0 : static_cast<std::uint64_t>(utc);
}

}  // namespace korvath
