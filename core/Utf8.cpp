#include "Utf8.h"

namespace korvath {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes the sequence at text[pos]; length 1 with U+FFFD when it is not a
// valid one (overlong forms and values past U+10FFFF included). Encoded
// surrogates are accepted: they are how lone surrogates are kept.
char32_t Decode(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const unsigned char lead = byte(0);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t need = 0;
  char32_t c = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    need = 1, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    need = 2, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    need = 3, c = lead & 0x07, least = 0x10000;
  } else {
    return kReplacement;
  }
  if (pos + need >= text.size()) return kReplacement;
  for (std::size_t i = 1; i <= need; ++i) {
    if (!IsContinuation(byte(i))) return kReplacement;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  if (c < least || c > 0x10FFFF) return kReplacement;
  length = need + 1;
  return c;
}

}  // namespace

void AppendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    AppendCodePoint(out, c);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = 1;
    const char32_t c = Decode(text, pos, length);
    pos += length;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
  std::size_t length = 1;
  Decode(text, pos, length);
  return length;
}

char32_t CodePointAt(std::string_view text, std::size_t pos) {
  std::size_t length = 1;
  return Decode(text, pos, length);
}

std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    units += length == 4 ? 2 : 1;
    pos += length;
  }
  return units;
}

std::size_t FitUtf16Units(std::string_view text, std::size_t units) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t length = CharLength(text, pos);
    const std::size_t needed = length == 4 ? 2 : 1;
    if (needed > units) break;
    units -= needed;
    pos += length;
  }
  return pos;
}

std::size_t FindLastDelimiter(std::string_view text, std::string_view delimiters) {
  return text.find_last_of(delimiters);
}

std::size_t FindFirstDelimiter(std::string_view text, std::string_view delimiters,
                               std::size_t from) {
  return text.find_first_of(delimiters, from);
}

}  // namespace korvath
