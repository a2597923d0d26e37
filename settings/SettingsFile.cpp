#include "SettingsFile.h"

#include <algorithm>
#include <utility>

#include "SettingsKeys.h"
#include "Texts.h"

namespace korvath {

std::string ComposeSettingsPath(const std::string& startupFolder) {
  return startupFolder + "\\" + kSettingsFileName;
}

WindowPosition ReadWindowPosition(ProfileStore& store) {
  WindowPosition position;
  position.Left = store.ReadInteger(kSectionForm, kKeyLeft, kDesignLeft);
  if (position.Left < 1) position.Left = 0;
  position.Left = std::min(position.Left, kFarthestWindowEdge);
  position.Top = store.ReadInteger(kSectionForm, kKeyTop, kDesignTop);
  if (position.Top < 1) position.Top = 0;
  position.Top = std::min(position.Top, kFarthestWindowEdge);
  return position;
}

namespace {
// The slots are read in one go: key by key, every read goes through the
// whole file again, and the file grows with the user's masks.
template <typename History, typename KeyName>
History ReadSlots(ProfileStore& store, KeyName keyName) {
  History history;
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < history.size(); ++i) keys.push_back(keyName(static_cast<int>(i)));
  std::vector<std::string> values = store.ReadStrings(kSectionSetUp, keys);
  std::move(values.begin(), values.end(), history.begin());
  return history;
}

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// Each slot under its own key. A text the file cannot hold (a folder or
// prefix with characters Shift-JIS lacks) leaves its slot empty in the file
// rather than be saved as another text; it stays in this session's lists,
// and every other entry keeps its slot.
template <typename Slots, typename KeyName>
void AddSlots(KeyValues& values, const Slots& slots, KeyName keyName, const ProfileStore& store) {
  for (std::size_t i = 0; i < slots.size(); ++i) {
    values.emplace_back(keyName(static_cast<int>(i)),
                        store.CanHold(slots[i]) ? slots[i] : std::string());
  }
}

// One section's keys in order, in one go; false with the key that could
// not be written in result.
bool WriteSection(ProfileStore& store, const char* section, const KeyValues& values,
                  SaveResult& result) {
  std::size_t written = store.WriteStrings(section, values);
  if (written == values.size()) return true;
  result = {false, section, values[written].first};
  return false;
}
}  // namespace

FolderHistory ReadFolderHistory(ProfileStore& store) {
  return ReadSlots<FolderHistory>(store, DirHistoryKey);
}

TextHistory ReadPrefixHistory(ProfileStore& store) {
  return ReadSlots<TextHistory>(store, PrefixHistoryKey);
}

TextHistory ReadSuffixHistory(ProfileStore& store) {
  return ReadSlots<TextHistory>(store, SuffixHistoryKey);
}

// FileCount and every key up to the bound in one read: the count and the
// masks then cost one pass over the file.
std::vector<std::string> LoadUserMasks(ProfileStore& store) {
  std::vector<std::string> keys = {kKeyFileCount};
  for (int n = 0; n < kMaxUserMasks; ++n) keys.push_back(UserMaskKey(n));
  std::vector<std::string> values = store.ReadStrings(kSectionOption, keys);
  int count = std::min(ParseProfileInteger(values[0]).value_or(0), kMaxUserMasks - 1);
  if (count < 0) return {};
  return {values.begin() + 1, values.begin() + 2 + count};
}

FileOrder ReadFileOrder(ProfileStore& store) {
  return FileOrderFromValue(store.ReadInteger(kSectionOption, kKeyOrder, 0));
}

SaveResult SaveWholeSettings(ProfileStore& store, const SettingsToSave& settings) {
  // A section at a time: key by key, every write went through the whole
  // file again, and a thousand masks made a save take seconds.
  SaveResult result;
  KeyValues form = {{kKeyLeft, std::to_string(settings.Position.Left)},
                    {kKeyTop, std::to_string(settings.Position.Top)}};
  if (!WriteSection(store, kSectionForm, form, result)) return result;
  KeyValues setUp;
  AddSlots(setUp, settings.DirHistory, DirHistoryKey, store);
  AddSlots(setUp, settings.PrefixHistory, PrefixHistoryKey, store);
  AddSlots(setUp, settings.SuffixHistory, SuffixHistoryKey, store);
  if (!WriteSection(store, kSectionSetUp, setUp, result)) return result;
  KeyValues option = {
      {kKeyFileCount, std::to_string(static_cast<int>(settings.UserMasks.size()) - 1)}};
  AddSlots(option, settings.UserMasks, UserMaskKey, store);
  // The order is written once it has been used, so that a file of a user who
  // never changes it stays as earlier versions write it.
  if (settings.Order != FileOrder::Name || !store.ReadString(kSectionOption, kKeyOrder).empty()) {
    option.push_back({kKeyOrder, std::to_string(static_cast<int>(settings.Order))});
  }
  WriteSection(store, kSectionOption, option, result);
  return result;
}

std::string WriteFailureMessage(const std::string& settingsPath) {
  return FormatText(kTextCannotWriteSettings, {settingsPath});
}

}  // namespace korvath
