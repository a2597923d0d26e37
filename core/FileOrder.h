#pragma once
// The orders the check list can number a folder's files in:
// - Name: the locale's case-insensitive order of whole names, digits taken as
//   characters (img10 before img2), the order the program has always used;
// - Natural: runs of digits compared as numbers, as Explorer orders names
//   (img2 before img10); the text between them in the locale's order;
// - Date: oldest last-write time first, equal times by name;
// - ShootingDate: oldest first by the date that places each file (when a
//   photo or video was taken, else its last-write time, both on the UTC
//   timeline of last-write times), equal dates in the natural order.
//
// Every order is one byte string per name, built once and compared byte by
// byte: a folder of 100,000 names costs one key each, never a locale call
// per comparison.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

enum class FileOrder : int { Name = 0, Natural = 1, Date = 2, ShootingDate = 3 };

// The settings file's value; anything but 1, 2 or 3 is the name order.
FileOrder FileOrderFromValue(int value);

// The locale's case-insensitive collation of a piece of UTF-8 text as a key
// that compares byte by byte; the platform supplies it.
class TextCollation {
 public:
  virtual ~TextCollation() = default;
  virtual void AppendKey(std::string_view text, std::string& key) const = 0;
};

// Appends the key of a name under order. time, FILETIME ticks, counts only
// for Date (the last-write time) and ShootingDate (the date that places it).
void AppendOrderKey(FileOrder order, std::string_view name, std::uint64_t time,
                    const TextCollation& collation, std::string& key);

// Positions of names in order (stable: equal keys keep their input order).
// times runs alongside names; it may be empty unless order is a date order.
std::vector<std::size_t> SortedPositions(FileOrder order, const std::vector<std::string>& names,
                                         const std::vector<std::uint64_t>& times,
                                         const TextCollation& collation);

}  // namespace korvath
