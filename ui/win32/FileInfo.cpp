#include "FileInfo.h"

#include <windows.h>

#include <cstdio>

#include "Handles.h"
#include "Texts.h"
#include "WideText.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t buffer[16] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) <= 1) return fallback;
  return Narrow(buffer);
}

std::string TwoDigits(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u", value % 100);
  return text;
}

// English: the user's short date and time, as Explorer shows them
// ("5/6/2004 7:08:10 AM"); Japanese keeps its fixed "2004/05/06 07:08:10".
std::optional<std::string> UserLocaleText(const SYSTEMTIME& time) {
  const int dateLength = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr,
                                         nullptr, 0, nullptr);
  const int timeLength = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, nullptr, 0);
  if (dateLength <= 1 || timeLength <= 1) return std::nullopt;
  std::wstring date(static_cast<std::size_t>(dateLength), L'\0');
  std::wstring clock(static_cast<std::size_t>(timeLength), L'\0');
  if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date.data(),
                       dateLength, nullptr) ||
      !GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, clock.data(), timeLength)) {
    return std::nullopt;
  }
  date.resize(static_cast<std::size_t>(dateLength - 1));
  clock.resize(static_cast<std::size_t>(timeLength - 1));
  return Narrow(date + L" " + clock);
}

std::optional<std::string> TimeText(const FILETIME& written) {
  FILETIME local;
  WORD dosDate = 0, dosTime = 0;
  if (!FileTimeToLocalFileTime(&written, &local) ||
      !FileTimeToDosDateTime(&local, &dosDate, &dosTime)) {
    return std::nullopt;
  }
  if (CurrentLanguage() == Language::English) {
    // The same moment as the Japanese text, to its two seconds.
    FILETIME dos;
    SYSTEMTIME time;
    if (!DosDateTimeToFileTime(dosDate, dosTime, &dos) || !FileTimeToSystemTime(&dos, &time)) {
      return std::nullopt;
    }
    return UserLocaleText(time);
  }
  return FormatDosTimeStamp(dosDate, dosTime, LocaleText(LOCALE_SDATE, "/"),
                            LocaleText(LOCALE_STIME, ":"));
}

}  // namespace

std::optional<std::string> LocalTimeText(std::uint64_t ticks) {
  const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME universal, local;
  if (!FileTimeToSystemTime(&utc, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return std::nullopt;
  }
  if (CurrentLanguage() == Language::English) return UserLocaleText(local);
  const std::string date = LocaleText(LOCALE_SDATE, "/"), time = LocaleText(LOCALE_STIME, ":");
  return std::to_string(local.wYear) + date + TwoDigits(local.wMonth) + date +
         TwoDigits(local.wDay) + " " + TwoDigits(local.wHour) + time + TwoDigits(local.wMinute) +
         time + TwoDigits(local.wSecond);
}

std::string FileSizeText(std::uint64_t bytes) {
  return FormatText(kTextFileSize, {std::to_string(bytes / 1024)});
}

std::string FormatDosTimeStamp(unsigned short dosDate, unsigned short dosTime,
                               const std::string& dateSeparator, const std::string& timeSeparator) {
  const unsigned year = 1980 + (dosDate >> 9);
  const unsigned month = (dosDate >> 5) & 0x0F;
  const unsigned day = dosDate & 0x1F;
  const unsigned hour = dosTime >> 11;
  const unsigned minute = (dosTime >> 5) & 0x3F;
  const unsigned second = (dosTime & 0x1F) * 2;
  return std::to_string(year) + dateSeparator + TwoDigits(month) + dateSeparator + TwoDigits(day) +
         " " + TwoDigits(hour) + timeSeparator + TwoDigits(minute) + timeSeparator +
         TwoDigits(second);
}

FileInfo ReadFileInfo(const std::string& name) {
  FileInfo info;
  info.Name = name;
  if (name.empty()) return info;
  // One search gives size and time together: no handle on the file, so a
  // file another program holds open is described like any other, and that
  // program is never disturbed.
  WIN32_FIND_DATAW data;
  if (!OwnedFind(FindFirstFileW(SystemPath(name).c_str(), &data))) return info;
  std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.SizeText = FileSizeText(size);
  info.TimeText = TimeText(data.ftLastWriteTime);
  return info;
}

}  // namespace korvath
