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

std::string BuildStartupFilter(ProfileStore& store) {
  return BuildFilterFromUserMasks(LoadUserMasks(store));
}

std::string BuildFilterFromUserMasks(const std::vector<std::string>& masks) {
  std::string filter;
  for (const FileType& type : BuiltInFileTypes) {
    if (!filter.empty()) filter += '|';
    filter += type.Description;
    filter += '|';
    filter += type.Mask;
  }
  std::size_t number = 0;
  for (const std::string& mask : masks) {
    if (mask.empty()) continue;
    filter += '|';
    filter += UserFileTypeEntry(++number, mask);
  }
  return filter;
}

}  // namespace korvath
