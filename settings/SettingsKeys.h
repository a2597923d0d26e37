#pragma once
// Sections and keys of the settings file KVTset.ini, spelt exactly as the
// file holds them ("SetUp" with a capital U).

#include <string>

namespace korvath {

inline constexpr char kSettingsFileName[] = "KVTset.ini";

inline constexpr char kSectionForm[] = "Form";
inline constexpr char kSectionSetUp[] = "SetUp";
inline constexpr char kSectionOption[] = "Option";

inline constexpr char kKeyLeft[] = "Left";
inline constexpr char kKeyTop[] = "Top";
inline constexpr char kKeyFileCount[] = "FileCount";
inline constexpr char kKeyOrder[] = "Order";  // 0 name, 1 natural, 2 date, 3 shooting date

// Slot keys: the stem followed by the slot number in plain decimal.
inline std::string DirHistoryKey(int slot) { return "DirHst" + std::to_string(slot); }
inline std::string PrefixHistoryKey(int slot) { return "TopHst" + std::to_string(slot); }
inline std::string SuffixHistoryKey(int slot) { return "BtmHst" + std::to_string(slot); }
inline std::string UserMaskKey(int index) { return "File" + std::to_string(index); }

}  // namespace korvath
