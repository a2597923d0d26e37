#include "SettingsFile.h"

#include <algorithm>

#include "SettingsKeys.h"

namespace korvath {

std::string ComposeSettingsPath(const std::string& startupFolder) {
  return startupFolder + "\\" + kSettingsFileName;
}

WindowPosition ReadWindowPosition(ProfileStore& store) {
  WindowPosition position;
  position.Left = store.ReadInteger(kSectionForm, kKeyLeft, kDesignLeft);
  if (position.Left < 1) position.Left = 0;
  position.Top = store.ReadInteger(kSectionForm, kKeyTop, kDesignTop);
  if (position.Top < 1) position.Top = 0;
  return position;
}

FolderHistory ReadFolderHistory(ProfileStore& store) {
  FolderHistory history;
  for (std::size_t i = 0; i < history.size(); ++i) {
    history[i] = store.ReadString(kSectionSetUp, DirHistoryKey(static_cast<int>(i)));
  }
  return history;
}

namespace {
template <typename KeyName>
TextHistory ReadTextHistory(ProfileStore& store, KeyName keyName) {
  TextHistory history;
  for (std::size_t i = 0; i < history.size(); ++i) {
    history[i] = store.ReadString(kSectionSetUp, keyName(static_cast<int>(i)));
  }
  return history;
}

template <typename Slots, typename KeyName>
bool WriteSlots(ProfileStore& store, const Slots& slots, KeyName keyName, SaveResult& result) {
  for (std::size_t i = 0; i < slots.size(); ++i) {
    std::string key = keyName(static_cast<int>(i));
    if (!store.WriteString(kSectionSetUp, key, slots[i])) {
      result = {false, kSectionSetUp, key};
      return false;
    }
  }
  return true;
}
}  // namespace

TextHistory ReadPrefixHistory(ProfileStore& store) {
  return ReadTextHistory(store, PrefixHistoryKey);
}

TextHistory ReadSuffixHistory(ProfileStore& store) {
  return ReadTextHistory(store, SuffixHistoryKey);
}

int ReadUserMaskCount(ProfileStore& store) {
  return std::min(store.ReadInteger(kSectionOption, kKeyFileCount, 0), kMaxUserMasks - 1);
}

std::vector<std::string> LoadUserMasks(ProfileStore& store) {
  int count = ReadUserMaskCount(store);
  std::vector<std::string> keys;
  for (int n = 0; n <= count; ++n) keys.push_back(UserMaskKey(n));
  return store.ReadStrings(kSectionOption, keys);
}

SaveResult SaveWholeSettings(ProfileStore& store, const SettingsToSave& settings) {
  SaveResult result;
  if (!store.WriteInteger(kSectionForm, kKeyLeft, settings.Position.Left)) {
    return {false, kSectionForm, kKeyLeft};
  }
  if (!store.WriteInteger(kSectionForm, kKeyTop, settings.Position.Top)) {
    return {false, kSectionForm, kKeyTop};
  }
  if (!WriteSlots(store, settings.DirHistory, DirHistoryKey, result)) return result;
  if (!WriteSlots(store, settings.PrefixHistory, PrefixHistoryKey, result)) return result;
  if (!WriteSlots(store, settings.SuffixHistory, SuffixHistoryKey, result)) return result;
  // The masks go in one batch: key by key, a thousand of them would cost
  // seconds on a file the profile API rewrites after every key.
  std::vector<std::pair<std::string, std::string>> option;
  option.reserve(settings.UserMasks.size() + 1);
  option.emplace_back(kKeyFileCount,
                      std::to_string(static_cast<int>(settings.UserMasks.size()) - 1));
  for (std::size_t n = 0; n < settings.UserMasks.size(); ++n) {
    option.emplace_back(UserMaskKey(static_cast<int>(n)), settings.UserMasks[n]);
  }
  std::size_t written = store.WriteStrings(kSectionOption, option);
  if (written < option.size()) return {false, kSectionOption, option[written].first};
  return result;
}

std::string WriteFailureMessage(const std::string& settingsPath) {
  return settingsPath + " に書き込めません";
}

}  // namespace korvath
