#include "FileTypeFilter.h"

#include "SettingsFile.h"
#include "SettingsKeys.h"

namespace korvath {

const std::array<FileType, 19> BuiltInFileTypes = {{
    {"すべてのファイル (*.*)", "*.*"},
    {"ビットマップ イメージ (*.bmp;*dib)", "*.bmp;*dib"},
    {"JPEG イメージ (*.jpg;*jpeg;*jpe)", "*.jpg;*jpeg;*jpe"},
    {"GIF イメージ (*.gif)", "*.gif"},
    {"PNG イメージ (*.png)", "*.png"},
    {"TIF イメージ (*.tif)", "*.tif"},
    {"アイコン (*.ico)", "*.ico"},
    {"テキスト文書 (*.txt)", "*.txt"},
    {"カンマ区切りテキストファイル (*.csv)", "*.csv"},
    {"HTML文書 (*.htm;*.html)", "*.htm;*.html"},
    {"リッチテキスト形式 (*.rtf)", "*.rtf"},
    {"Word文書 (*.doc)", "*.doc"},
    {"Excelワークシート (*.xls)", "*.xls"},
    {"C言語関連ファイル (*.c;*.css;*.h)", "*.c;*.css;*.h"},
    {"Java関連ファイル (*.java;*.h)", "*.java;*.h"},
    {"WAVE サウンド (*.wav)", "*.wav"},
    {"MIDI シーケンス (*.mid;*.midi;*rmi)", "*.mid;*.midi;*rmi"},
    {"MP3形式 サウンド (*.mp3)", "*.mp3"},
    {"ビデオクリップ (*.avi)", "*.avi"},
}};

std::string UserFileTypeEntry(std::size_t number, std::string_view mask) {
  std::string entry = "ユーザ定義" + std::to_string(number) + " (";
  entry += mask;
  entry += ")|";
  entry += mask;
  return entry;
}

std::vector<std::string> FilterString::HandOverSequence() const {
  std::vector<std::string> sequence;
  sequence.reserve(HandOverLengths.size());
  for (std::size_t length : HandOverLengths) sequence.push_back(Text.substr(0, length));
  return sequence;
}

namespace {
// Appends one piece and notes the hand-over of the string so far.
void AppendPiece(FilterString& filter, std::string_view piece) {
  filter.Text += piece;
  filter.HandOverLengths.push_back(filter.Text.size());
}

// Built-in entries; the last one ends with "|" only when user entries may
// follow.
FilterString BuiltInPart(bool userEntriesFollow) {
  FilterString filter;
  for (std::size_t i = 0; i < BuiltInFileTypes.size(); ++i) {
    std::string piece(BuiltInFileTypes[i].Description);
    piece += '|';
    piece += BuiltInFileTypes[i].Mask;
    if (i + 1 < BuiltInFileTypes.size() || userEntriesFollow) piece += '|';
    AppendPiece(filter, piece);
  }
  return filter;
}

void AppendUserEntry(FilterString& filter, std::size_t number, std::string_view mask, bool last) {
  std::string piece = UserFileTypeEntry(number, mask);
  if (!last) piece += '|';
  AppendPiece(filter, piece);
}
}  // namespace

FilterString BuildStartupFilter(ProfileStore& store) {
  // The decision rests on File0 alone, the count on FileCount alone.
  std::string first = store.ReadString(kSectionOption, UserMaskKey(0));
  if (first.empty()) return BuiltInPart(false);
  FilterString filter = BuiltInPart(true);
  int count = ReadUserMaskCount(store);
  for (int n = 0; n <= count; ++n) {
    std::string mask = n == 0 ? first : store.ReadString(kSectionOption, UserMaskKey(n));
    AppendUserEntry(filter, static_cast<std::size_t>(n) + 1, mask, n == count);
  }
  return filter;
}

FilterString BuildFilterFromUserMasks(const std::vector<std::string>& masks) {
  FilterString filter = BuiltInPart(!masks.empty());
  for (std::size_t i = 0; i < masks.size(); ++i) {
    AppendUserEntry(filter, i + 1, masks[i], i + 1 == masks.size());
  }
  return filter;
}

}  // namespace korvath
