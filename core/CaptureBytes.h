#pragma once
// What the capture-date readers of the formats share: the bounded reads of
// one file, the byte-order helpers and the date texts' parsing. Inside
// core/ only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "CaptureDate.h"

namespace korvath::capture {

using Bytes = std::span<const std::uint8_t>;

// Box and chunk headers read past the file's head, per file.
inline constexpr int kHeaderReads = 256;
// Boxes within a box (segments, chunks) that are looked at; boxes nest only
// as deep as the few paths to a date go.
inline constexpr int kChildBoxes = 256;

// The reads of one file. The first kCaptureHeadSize bytes are read at once
// and serve every read inside them; any other read takes from what is left
// of kCaptureReadBudget (into an arena of that size: nothing is sized from
// the file), and a header read of at most 16 bytes past the head counts
// against kHeaderReads. Every read that cannot be served gives nothing.
class BoundedReader {
 public:
  BoundedReader(ByteSource& source, std::uint8_t* arena);
  std::uint64_t Size() const { return size_; }
  Bytes Head() const { return {arena_, headLength_}; }
  bool Header(std::uint64_t offset, std::uint8_t* out, std::size_t length);
  // length bytes at offset, held until the reader ends; empty when they
  // cannot be read whole.
  Bytes Read(std::uint64_t offset, std::size_t length);

 private:
  ByteSource& source_;
  std::uint8_t* arena_;
  std::uint64_t size_;
  std::size_t headLength_ = 0;
  std::size_t used_ = 0;
  int headerReads_ = 0;
};

inline std::uint16_t Be16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t Be32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}
inline std::uint64_t Be64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(Be32(p)) << 32 | Be32(p + 4);
}
inline std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[1] << 8 | p[0]);
}
inline std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[2]) << 16 |
         static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}
inline bool Tag(const std::uint8_t* p, const char (&tag)[5]) {
  return p[0] == static_cast<std::uint8_t>(tag[0]) && p[1] == static_cast<std::uint8_t>(tag[1]) &&
         p[2] == static_cast<std::uint8_t>(tag[2]) && p[3] == static_cast<std::uint8_t>(tag[3]);
}

// An Exif block: a TIFF header and its directories, in memory. A leading
// "Exif\0\0" is passed over.
std::optional<CaptureDate> DateFromExif(Bytes block);
// A TIFF file (or a TIFF-based raw), its directories read where they are.
std::optional<CaptureDate> DateFromTiffFile(BoundedReader& reader);
// True for the first bytes of a TIFF header: "II*\0", "MM\0*", and the raws'
// own (ORF "IIRO"/"IIRS", RW2 "IIU\0"; CR2 keeps "II*\0").
bool IsTiffHeader(Bytes head);

// An ISO media file: HEIC/HEIF/AVIF through their Exif item, MP4/MOV/3GP
// through the movie header and QuickTime's creation date.
bool IsMediaBoxes(Bytes head);
std::optional<CaptureDate> DateFromMediaBoxes(BoundedReader& reader);

// "YYYY:MM:DD HH:MM:SS" (Exif); blank, zero-filled or impossible gives none.
std::optional<CaptureDate> ParseExifDate(std::string_view text);
// Exif's sub-seconds ("34" is .34 s) and offset ("+09:00") into date.
void ApplySubSeconds(std::string_view text, CaptureDate& date);
void ApplyOffset(std::string_view text, CaptureDate& date);
// ISO 8601 as QuickTime writes it: "2026-12-03T10:15:12+0900", with an
// optional fraction and "Z", "+09", "+0900" or "+09:00".
std::optional<CaptureDate> ParseIsoDate(std::string_view text);
// A date a camera or a phone can have written (years 1990 to 2100): zero,
// 1904 and 1970 dates are what an unset clock or a blank field leave.
bool PlausibleMovieDate(const CaptureDate& date);
// Seconds since 1904-01-01 UTC as a date with offset 0.
CaptureDate DateFromMovieSeconds(std::uint64_t seconds);

}  // namespace korvath::capture
