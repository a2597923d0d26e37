// The dates of a TIFF structure: IFD0 and its Exif directory (0x8769), in
// either byte order, from an Exif block in memory or from a TIFF file
// itself (the raws keep their directories there, anywhere in the file).

#include <cstring>
#include <string_view>

#include "CaptureBytes.h"

namespace korvath::capture {
namespace {

// Entries of one directory that are looked at.
constexpr std::uint16_t kDirectoryEntries = 512;
// Longest date, sub-second or offset text read.
constexpr std::uint32_t kLongestText = 64;

enum : std::uint16_t {
  kDateTime = 0x0132,
  kExifDirectory = 0x8769,
  kDateTimeOriginal = 0x9003,
  kDateTimeDigitized = 0x9004,
  kOffsetTime = 0x9010,
  kOffsetTimeOriginal = 0x9011,
  kOffsetTimeDigitized = 0x9012,
  kSubSecTime = 0x9290,
  kSubSecTimeOriginal = 0x9291,
  kSubSecTimeDigitized = 0x9292,
};

// The texts found; each one the value's bytes up to its first zero.
struct DateTexts {
  std::string_view Original, Digitized, Modified;
  std::string_view SubOriginal, SubDigitized, SubModified;
  std::string_view OffsetOriginal, OffsetDigitized, OffsetModified;
  std::uint32_t ExifOffset = 0;
};

// Reads a TIFF structure through Fetch(offset, length) -> Bytes, offsets
// counted from the TIFF header.
template <typename Fetch>
class TiffWalk {
 public:
  TiffWalk(Fetch fetch, bool little) : fetch_(fetch), little_(little) {}

  std::uint16_t U16(const std::uint8_t* p) const { return little_ ? Le16(p) : Be16(p); }
  std::uint32_t U32(const std::uint8_t* p) const { return little_ ? Le32(p) : Be32(p); }

  void Directory(std::uint32_t offset, DateTexts& texts) {
    const Bytes count = fetch_(offset, 2);
    if (count.size() != 2) return;
    const std::uint16_t entries = std::min(U16(count.data()), kDirectoryEntries);
    const Bytes table = fetch_(static_cast<std::uint64_t>(offset) + 2, entries * 12u);
    if (table.size() != entries * 12u) return;
    for (std::uint16_t i = 0; i < entries; ++i) {
      const std::uint8_t* entry = table.data() + i * 12u;
      const std::uint16_t tag = U16(entry);
      const std::uint16_t type = U16(entry + 2);
      const std::uint32_t length = U32(entry + 4);
      if (tag == kExifDirectory && (type == 4 || type == 13) && length >= 1) {
        texts.ExifOffset = U32(entry + 8);
        continue;
      }
      std::string_view* slot = Slot(tag, texts);
      if (!slot || (type != 2 && type != 7)) continue;  // ASCII; some writers say UNDEFINED
      *slot = Text(entry, std::min(length, kLongestText));
    }
  }

 private:
  static std::string_view* Slot(std::uint16_t tag, DateTexts& texts) {
    switch (tag) {
      case kDateTimeOriginal:
        return &texts.Original;
      case kDateTimeDigitized:
        return &texts.Digitized;
      case kDateTime:
        return &texts.Modified;
      case kSubSecTimeOriginal:
        return &texts.SubOriginal;
      case kSubSecTimeDigitized:
        return &texts.SubDigitized;
      case kSubSecTime:
        return &texts.SubModified;
      case kOffsetTimeOriginal:
        return &texts.OffsetOriginal;
      case kOffsetTimeDigitized:
        return &texts.OffsetDigitized;
      case kOffsetTime:
        return &texts.OffsetModified;
      default:
        return nullptr;
    }
  }

  std::string_view Text(const std::uint8_t* entry, std::uint32_t length) {
    Bytes value;
    if (length <= 4) {
      value = Bytes(entry + 8, length);
    } else {
      value = fetch_(U32(entry + 8), length);
    }
    std::string_view text(reinterpret_cast<const char*>(value.data()), value.size());
    return text.substr(0, text.find('\0'));
  }

  Fetch fetch_;
  bool little_;
};

std::optional<CaptureDate> Choose(const DateTexts& texts) {
  struct Choice {
    std::string_view date, subSeconds, offset;
  };
  // The moment the picture was taken, else when it was stored, else when
  // the file was last written by the camera or an editor.
  for (const Choice& choice : {Choice{texts.Original, texts.SubOriginal, texts.OffsetOriginal},
                               Choice{texts.Digitized, texts.SubDigitized, texts.OffsetDigitized},
                               Choice{texts.Modified, texts.SubModified, texts.OffsetModified}}) {
    std::optional<CaptureDate> date = ParseExifDate(choice.date);
    if (!date) continue;
    ApplySubSeconds(choice.subSeconds, *date);
    ApplyOffset(choice.offset, *date);
    return date;
  }
  return std::nullopt;
}

// The byte order of a TIFF header, or none.
std::optional<bool> LittleEndian(Bytes head) {
  if (head.size() < 8) return std::nullopt;
  const std::uint8_t* p = head.data();
  if (p[0] == 'I' && p[1] == 'I') {
    const std::uint16_t magic = Le16(p + 2);
    // 42; ORF's "RO" and "RS"; RW2's 0x55.
    if (magic == 42 || magic == 0x4F52 || magic == 0x5352 || magic == 0x55) return true;
  }
  if (p[0] == 'M' && p[1] == 'M' && Be16(p + 2) == 42) return false;
  return std::nullopt;
}

template <typename Fetch>
std::optional<CaptureDate> Walk(Fetch fetch, bool little, std::uint32_t firstDirectory) {
  TiffWalk<Fetch> walk(fetch, little);
  DateTexts texts;
  walk.Directory(firstDirectory, texts);
  const std::uint32_t exif = texts.ExifOffset;
  if (exif != 0 && exif != firstDirectory) walk.Directory(exif, texts);
  return Choose(texts);
}

}  // namespace

bool IsTiffHeader(Bytes head) { return LittleEndian(head).has_value(); }

std::optional<CaptureDate> DateFromExif(Bytes block) {
  if (block.size() >= 6 && std::memcmp(block.data(), "Exif\0\0", 6) == 0) {
    block = block.subspan(6);
  }
  const std::optional<bool> little = LittleEndian(block);
  if (!little) return std::nullopt;
  auto fetch = [block](std::uint64_t offset, std::size_t length) -> Bytes {
    if (offset > block.size() || length > block.size() - offset) return {};
    return block.subspan(static_cast<std::size_t>(offset), length);
  };
  const std::uint32_t first = *little ? Le32(block.data() + 4) : Be32(block.data() + 4);
  return Walk(fetch, *little, first);
}

std::optional<CaptureDate> DateFromTiffFile(BoundedReader& reader) {
  const Bytes head = reader.Head();
  const std::optional<bool> little = LittleEndian(head);
  if (!little) return std::nullopt;
  auto fetch = [&reader](std::uint64_t offset, std::size_t length) {
    return reader.Read(offset, length);
  };
  const std::uint32_t first = *little ? Le32(head.data() + 4) : Be32(head.data() + 4);
  return Walk(fetch, *little, first);
}

}  // namespace korvath::capture
