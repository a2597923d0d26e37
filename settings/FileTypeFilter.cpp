#include "FileTypeFilter.h"

#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "Texts.h"

namespace korvath {

const std::array<FileType, 19> BuiltInFileTypes = {{
    {kTextTypeAllFiles, "*.*"},
    {kTextTypeBitmap, "*.bmp;*dib"},
    {kTextTypeJpeg, "*.jpg;*jpeg;*jpe"},
    {kTextTypeGif, "*.gif"},
    {kTextTypePng, "*.png"},
    {kTextTypeTif, "*.tif"},
    {kTextTypeIcon, "*.ico"},
    {kTextTypeText, "*.txt"},
    {kTextTypeCsv, "*.csv"},
    {kTextTypeHtml, "*.htm;*.html"},
    {kTextTypeRtf, "*.rtf"},
    {kTextTypeWord, "*.doc"},
    {kTextTypeExcel, "*.xls"},
    {kTextTypeC, "*.c;*.css;*.h"},
    {kTextTypeJava, "*.java;*.h"},
    {kTextTypeWave, "*.wav"},
    {kTextTypeMidi, "*.mid;*.midi;*rmi"},
    {kTextTypeMp3, "*.mp3"},
    {kTextTypeAvi, "*.avi"},
}};

std::string UserFileTypeEntry(std::size_t number, std::string_view mask) {
  std::string entry = FormatText(kTextTypeUserMask, {std::to_string(number), mask});
  entry += '|';
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
    filter += Text(type.Description);
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
