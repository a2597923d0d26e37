#include "Win32Collation.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "WideText.h"

namespace korvath {
namespace {

constexpr DWORD kSortKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

int MapSortKey(const std::wstring& wide, char* key, int room) {
  return LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kSortKeyFlags, wide.data(),
                       static_cast<int>(wide.size()), reinterpret_cast<LPWSTR>(key), room, nullptr,
                       nullptr, 0);
}

// Appends the sort key of name (without its closing zero) to keys.
void AppendSortKey(std::string_view name, std::string& keys) {
  if (name.empty()) return;
  // One buffer for every name of a folder: no allocation per name.
  thread_local std::wstring wide;
  wide = Widen(name);
  // A key rarely needs more than a few bytes per character; grow on demand.
  std::size_t start = keys.size();
  std::size_t room = wide.size() * 6 + 16;
  keys.resize(start + room);
  int written = MapSortKey(wide, keys.data() + start, static_cast<int>(room));
  if (written == 0) {
    int needed = MapSortKey(wide, nullptr, 0);
    if (needed <= 0) {
      // No key from the platform: fall back on the bytes, still deterministic.
      keys.resize(start);
      keys.append(name);
      return;
    }
    keys.resize(start + static_cast<std::size_t>(needed));
    written = MapSortKey(wide, keys.data() + start, needed);
  }
  // The key ends in a zero byte, which adds nothing to the comparison.
  std::size_t used = static_cast<std::size_t>(written);
  if (used > 0 && keys[start + used - 1] == '\0') --used;
  keys.resize(start + used);
}

struct KeySpan {
  std::uint32_t offset;
  std::uint32_t length;
};

bool KeyLess(const std::string& keys, KeySpan a, KeySpan b) {
  const std::size_t common = std::min(a.length, b.length);
  int order = std::memcmp(keys.data() + a.offset, keys.data() + b.offset, common);
  if (order != 0) return order < 0;
  return a.length < b.length;
}

bool KeyEqual(const std::string& keys, KeySpan a, KeySpan b) {
  return a.length == b.length &&
         std::memcmp(keys.data() + a.offset, keys.data() + b.offset, a.length) == 0;
}

// All keys in one buffer: one allocation for a folder of any size.
std::vector<KeySpan> BuildKeys(const std::vector<std::string>& names, std::string& keys) {
  std::vector<KeySpan> spans(names.size());
  std::size_t total = 0;
  for (const std::string& name : names) total += name.size() * 3 + 8;
  keys.clear();
  keys.reserve(total);
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::size_t offset = keys.size();
    AppendSortKey(names[i], keys);
    spans[i] = {static_cast<std::uint32_t>(offset),
                static_cast<std::uint32_t>(keys.size() - offset)};
  }
  return spans;
}

std::vector<std::size_t> SortedOrder(const std::string& keys, const std::vector<KeySpan>& spans) {
  std::vector<std::size_t> order(spans.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return KeyLess(keys, spans[a], spans[b]); });
  return order;
}

std::string ConvertCase(std::string_view text, bool upper) {
  std::wstring wide = Widen(text);
  if (wide.empty()) return std::string();
  if (upper) {
    CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  } else {
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  }
  return Narrow(wide);
}

}  // namespace

void AppendCaseInsensitiveSortKey(std::string_view name, std::string& keys) {
  AppendSortKey(name, keys);
}

std::vector<std::size_t> CaseInsensitiveOrder(const std::vector<std::string>& names) {
  std::string keys;
  std::vector<KeySpan> spans = BuildKeys(names, keys);
  return SortedOrder(keys, spans);
}

void SortCaseInsensitive(std::vector<std::string>& names) {
  std::vector<std::size_t> order = CaseInsensitiveOrder(names);
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (std::size_t index : order) sorted.push_back(std::move(names[index]));
  names = std::move(sorted);
}

void SortCaseInsensitiveUnique(std::vector<std::string>& names) {
  std::string keys;
  std::vector<KeySpan> spans = BuildKeys(names, keys);
  std::vector<std::size_t> order = SortedOrder(keys, spans);
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && KeyEqual(keys, spans[order[i - 1]], spans[order[i]])) continue;
    sorted.push_back(std::move(names[order[i]]));
  }
  names = std::move(sorted);
}

bool SameFileName(std::string_view a, std::string_view b) {
  return LowerCaseFileName(a) == LowerCaseFileName(b);
}

std::string UpperCaseFileName(std::string_view text) { return ConvertCase(text, true); }

std::string LowerCaseFileName(std::string_view text) { return ConvertCase(text, false); }

}  // namespace korvath
