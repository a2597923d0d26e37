// ISO media files as boxes: HEIC/HEIF/AVIF keep an Exif item that the
// meta box's iinf names and its iloc places; MP4/MOV/3GP keep the movie
// header (mvhd) and, from Apple's devices, com.apple.quicktime.creationdate
// in keys/ilst. The movie box may stand anywhere, also past gigabytes of
// media data: boxes are walked by their headers and only the few that
// hold dates are read.

#include <cstring>
#include <string_view>

#include "CaptureBytes.h"

namespace korvath::capture {
namespace {

// Longest box whose content is read whole (iinf, iloc, keys, ilst).
constexpr std::size_t kLongestReadBox = 64 * 1024;
constexpr std::size_t kLongestExifItem = 128 * 1024;
constexpr std::uint32_t kLongestItemList = 4096;

struct Box {
  std::uint64_t Offset = 0;   // of the header
  std::uint64_t Content = 0;  // of what follows the header
  std::uint64_t End = 0;
  std::uint8_t Type[4] = {};
};

// The boxes between begin and end, one header read each.
class BoxWalk {
 public:
  BoxWalk(BoundedReader& reader, std::uint64_t begin, std::uint64_t end)
      : reader_(reader), pos_(begin), end_(end) {}

  bool Next(Box& box) {
    if (count_++ >= kChildBoxes || pos_ >= end_ || end_ - pos_ < 8) return false;
    std::uint8_t header[16];
    if (!reader_.Header(pos_, header, 8)) return false;
    std::uint64_t size = Be32(header);
    std::uint64_t content = pos_ + 8;
    if (size == 1) {
      if (end_ - pos_ < 16 || !reader_.Header(pos_ + 8, header + 8, 8)) return false;
      size = Be64(header + 8);
      content = pos_ + 16;
    } else if (size == 0) {
      size = end_ - pos_;  // to the end of what holds it
    }
    if (size < content - pos_ || size > end_ - pos_) return false;
    box.Offset = pos_;
    box.Content = content;
    box.End = pos_ + size;
    std::memcpy(box.Type, header + 4, 4);
    pos_ = box.End;
    return true;
  }

 private:
  BoundedReader& reader_;
  std::uint64_t pos_;
  std::uint64_t end_;
  int count_ = 0;
};

Bytes ReadContent(BoundedReader& reader, const Box& box, std::size_t longest) {
  const std::uint64_t length = box.End - box.Content;
  if (length > longest) return {};
  return reader.Read(box.Content, static_cast<std::size_t>(length));
}

// Boxes inside a box already in memory.
class MemoryBoxes {
 public:
  explicit MemoryBoxes(Bytes bytes) : bytes_(bytes) {}
  bool Next(Bytes& content, const std::uint8_t*& type) {
    if (count_++ >= static_cast<int>(kLongestItemList) || bytes_.size() < 8) return false;
    const std::uint32_t size = Be32(bytes_.data());
    if (size < 8 || size > bytes_.size()) return false;
    type = bytes_.data() + 4;
    content = bytes_.subspan(8, size - 8);
    bytes_ = bytes_.subspan(size);
    return true;
  }

 private:
  Bytes bytes_;
  int count_ = 0;
};

// An unsigned field of 0, 4 or 8 bytes (iloc's sizes); false past the end.
bool SizedField(Bytes& bytes, unsigned width, std::uint64_t& value) {
  if (width != 0 && width != 4 && width != 8) return false;
  if (bytes.size() < width) return false;
  value = width == 0 ? 0 : width == 4 ? Be32(bytes.data()) : Be64(bytes.data());
  bytes = bytes.subspan(width);
  return true;
}

bool Field16(Bytes& bytes, std::uint64_t& value) {
  if (bytes.size() < 2) return false;
  value = Be16(bytes.data());
  bytes = bytes.subspan(2);
  return true;
}

// ---------------------------------------------------------------------------
// HEIF: the Exif item

// The item ID of the first infe entry of type "Exif".
std::optional<std::uint32_t> ExifItemId(Bytes iinf) {
  if (iinf.size() < 6) return std::nullopt;
  const std::uint8_t version = iinf[0];
  Bytes entries = iinf.subspan(version == 0 ? 6 : 8 <= iinf.size() ? 8 : iinf.size());
  MemoryBoxes boxes(entries);
  Bytes content;
  const std::uint8_t* type = nullptr;
  while (boxes.Next(content, type)) {
    if (!Tag(type, "infe") || content.size() < 4) continue;
    const std::uint8_t infeVersion = content[0];
    if (infeVersion == 2 && content.size() >= 12) {
      if (Tag(content.data() + 8, "Exif")) return Be16(content.data() + 4);
    } else if (infeVersion == 3 && content.size() >= 14) {
      if (Tag(content.data() + 10, "Exif")) return Be32(content.data() + 4);
    }
  }
  return std::nullopt;
}

struct ItemPlace {
  int Method = 0;  // 0: in the file; 1: in the meta box's idat
  std::uint64_t Offset = 0;
  std::uint64_t Length = 0;
};

// Where iloc puts the item: its first extent (an Exif item is one piece).
std::optional<ItemPlace> LocateItem(Bytes iloc, std::uint32_t id) {
  if (iloc.size() < 6) return std::nullopt;
  const std::uint8_t version = iloc[0];
  if (version > 2) return std::nullopt;
  const unsigned offsetSize = iloc[4] >> 4, lengthSize = iloc[4] & 15;
  const unsigned baseSize = iloc[5] >> 4, indexSize = version >= 1 ? iloc[5] & 15 : 0;
  Bytes rest = iloc.subspan(6);
  std::uint64_t items = 0;
  if (version < 2) {
    if (!Field16(rest, items)) return std::nullopt;
  } else if (!SizedField(rest, 4, items)) {
    return std::nullopt;
  }
  for (std::uint64_t i = 0; i < items && i < kLongestItemList; ++i) {
    std::uint64_t itemId = 0, method = 0, ignored = 0, base = 0, extents = 0;
    if (version < 2 ? !Field16(rest, itemId) : !SizedField(rest, 4, itemId)) return std::nullopt;
    if (version >= 1 && !Field16(rest, method)) return std::nullopt;
    if (!Field16(rest, ignored) || !SizedField(rest, baseSize, base) || !Field16(rest, extents)) {
      return std::nullopt;
    }
    ItemPlace place{static_cast<int>(method & 15), base, 0};
    for (std::uint64_t e = 0; e < extents; ++e) {
      std::uint64_t index = 0, offset = 0, length = 0;
      if (!SizedField(rest, indexSize, index) || !SizedField(rest, offsetSize, offset) ||
          !SizedField(rest, lengthSize, length)) {
        return std::nullopt;
      }
      if (e == 0) {
        place.Offset = base + offset;
        place.Length = length;
      }
    }
    if (itemId == id) {
      if (extents == 0 || place.Method > 1) return std::nullopt;
      return place;
    }
  }
  return std::nullopt;
}

std::optional<CaptureDate> DateFromHeifMeta(BoundedReader& reader, const Box& meta) {
  Bytes iinf, iloc;
  std::optional<Box> idat;
  BoxWalk children(reader, meta.Content + 4, meta.End);  // a full box: version and flags first
  Box box;
  while (children.Next(box)) {
    if (Tag(box.Type, "iinf")) iinf = ReadContent(reader, box, kLongestReadBox);
    if (Tag(box.Type, "iloc")) iloc = ReadContent(reader, box, kLongestReadBox);
    if (Tag(box.Type, "idat")) idat = box;
  }
  const std::optional<std::uint32_t> id = ExifItemId(iinf);
  if (!id) return std::nullopt;
  const std::optional<ItemPlace> place = LocateItem(iloc, *id);
  if (!place || place->Length < 4 || place->Length > kLongestExifItem) return std::nullopt;
  std::uint64_t offset = place->Offset;
  if (place->Method == 1) {
    if (!idat || offset > idat->End - idat->Content ||
        place->Length > idat->End - idat->Content - offset) {
      return std::nullopt;
    }
    offset += idat->Content;
  }
  const Bytes item = reader.Read(offset, static_cast<std::size_t>(place->Length));
  if (item.empty()) return std::nullopt;
  // The item starts with the offset of the TIFF header behind these 4 bytes.
  const std::uint32_t header = Be32(item.data());
  if (header > item.size() - 4) return std::nullopt;
  return DateFromExif(item.subspan(4 + header));
}

// ---------------------------------------------------------------------------
// Movies

// com.apple.quicktime.creationdate from a QuickTime meta box's keys and ilst.
std::optional<CaptureDate> DateFromKeys(Bytes keys, Bytes ilst) {
  if (keys.size() < 8) return std::nullopt;
  static constexpr std::string_view kCreationDate = "com.apple.quicktime.creationdate";
  const std::uint32_t count = Be32(keys.data() + 4);
  Bytes rest = keys.subspan(8);
  std::uint32_t wanted = 0;
  for (std::uint32_t i = 1; i <= count && i <= kLongestItemList && rest.size() >= 8; ++i) {
    const std::uint32_t size = Be32(rest.data());
    if (size < 8 || size > rest.size()) return std::nullopt;
    const std::string_view name(reinterpret_cast<const char*>(rest.data() + 8), size - 8);
    if (Tag(rest.data() + 4, "mdta") && name == kCreationDate) {
      wanted = i;
      break;
    }
    rest = rest.subspan(size);
  }
  if (wanted == 0) return std::nullopt;
  MemoryBoxes items(ilst);
  Bytes content;
  const std::uint8_t* type = nullptr;
  while (items.Next(content, type)) {
    if (Be32(type) != wanted) continue;
    MemoryBoxes values(content);
    Bytes value;
    const std::uint8_t* valueType = nullptr;
    while (values.Next(value, valueType)) {
      // data: a type (1: UTF-8) and a locale, then the text.
      if (!Tag(valueType, "data") || value.size() < 8 || Be32(value.data()) != 1) continue;
      const std::string_view text(reinterpret_cast<const char*>(value.data() + 8),
                                  value.size() - 8);
      std::optional<CaptureDate> date = ParseIsoDate(text);
      if (date && PlausibleMovieDate(*date)) return date;
    }
  }
  return std::nullopt;
}

// A meta box inside the movie: QuickTime writes it without ISO's version
// and flags, so its first child starts at once or 4 bytes later.
std::optional<CaptureDate> DateFromMovieMeta(BoundedReader& reader, const Box& meta) {
  std::uint8_t peek[8];
  std::uint64_t begin = meta.Content;
  if (reader.Header(begin, peek, 8) && Be32(peek) == 0) begin += 4;
  Bytes keys, ilst;
  BoxWalk children(reader, begin, meta.End);
  Box box;
  while (children.Next(box)) {
    if (Tag(box.Type, "keys")) keys = ReadContent(reader, box, kLongestReadBox);
    if (Tag(box.Type, "ilst")) ilst = ReadContent(reader, box, kLongestReadBox);
  }
  return DateFromKeys(keys, ilst);
}

std::optional<CaptureDate> DateFromMovieHeader(BoundedReader& reader, const Box& mvhd) {
  const Bytes content = ReadContent(reader, mvhd, 256);
  if (content.size() < 8) return std::nullopt;
  std::uint64_t seconds = 0;
  if (content[0] == 1) {
    if (content.size() < 12) return std::nullopt;
    seconds = Be64(content.data() + 4);
  } else {
    seconds = Be32(content.data() + 4);
  }
  // 0 is 1904 itself; 2082844800 is 1970-01-01, a Unix zero written as is.
  if (seconds == 0 || seconds == 2082844800) return std::nullopt;
  CaptureDate date = DateFromMovieSeconds(seconds);
  if (!PlausibleMovieDate(date)) return std::nullopt;
  return date;
}

std::optional<CaptureDate> DateFromMovie(BoundedReader& reader, const Box& moov) {
  std::optional<CaptureDate> header, apple;
  BoxWalk children(reader, moov.Content, moov.End);
  Box box;
  while (children.Next(box) && !apple) {
    if (Tag(box.Type, "mvhd")) header = DateFromMovieHeader(reader, box);
    if (Tag(box.Type, "meta")) apple = DateFromMovieMeta(reader, box);
    if (Tag(box.Type, "udta")) {
      BoxWalk data(reader, box.Content, box.End);
      Box inner;
      while (!apple && data.Next(inner)) {
        if (Tag(inner.Type, "meta")) apple = DateFromMovieMeta(reader, inner);
      }
    }
  }
  return apple ? apple : header;
}

}  // namespace

bool IsMediaBoxes(Bytes head) {
  if (head.size() < 8) return false;
  const std::uint8_t* type = head.data() + 4;
  for (const char* known : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
    if (std::memcmp(type, known, 4) == 0) return true;
  }
  return false;
}

std::optional<CaptureDate> DateFromMediaBoxes(BoundedReader& reader) {
  BoxWalk top(reader, 0, reader.Size());
  Box box;
  while (top.Next(box)) {
    if (Tag(box.Type, "moov")) return DateFromMovie(reader, box);
    if (Tag(box.Type, "meta")) {
      if (std::optional<CaptureDate> date = DateFromHeifMeta(reader, box)) return date;
    }
  }
  return std::nullopt;
}

}  // namespace korvath::capture
