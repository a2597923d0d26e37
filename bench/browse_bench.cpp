// Showing a folder of many files in the browser (folder lines, the hidden
// file list read and sorted, the check list's count set) against a bare
// FindFirstFileW/FindNextFileW enumeration plus one LCMapStringEx sort-key
// sort of the same folder's wide names, in the same run, once for each file
// order (name, natural, date).
// Targets for every order: browser / bare <= 1.5, browser < 1 s.
//
//   browse_bench.exe [folder [repetitions]]
//
// Without a folder it creates one of 100,000 files in the temp folder. Under
// Wine, creating files one by one in a large folder is quadratic; the script
// browse_bench.sh creates the folder from Linux and passes it in.

#include <windows.h>
// After windows.h, whose macros it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "FileOrder.h"
#include "WideText.h"

namespace korvath {
namespace {

constexpr int kDefaultFiles = 100000;
constexpr int kCheckListId = 10;

// <chrono> holds a "µ" that cp932 lacks: the performance counter instead.
LONGLONG Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

double Seconds(LONGLONG start) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void MakeFiles(const std::string& folder, int count) {
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  const char* stems[] = {"img", "Img", "photo_", "DSC", "memo", "表", "ソ"};
  for (int i = 0; i < count; ++i) {
    const std::string name =
        std::string(stems[i % 7]) + std::to_string((i * 7919) % count) + ".jpg";
    HANDLE file = CreateFileW(Widen(folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

// The names as the system gives them, without any conversion.
std::vector<std::wstring> BareEnumerate(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  return names;
}

// The baseline: one enumeration, one key per name, one sort.
std::size_t BareEnumerateAndSort(const std::wstring& folder) {
  std::vector<std::wstring> names = BareEnumerate(folder);
  std::vector<std::string> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    char key[1024];
    int length = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                               names[i].c_str(), static_cast<int>(names[i].size()),
                               reinterpret_cast<LPWSTR>(key), sizeof key, nullptr, nullptr, 0);
    keys[i].assign(key, static_cast<std::size_t>(std::max(length, 0)));
  }
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order.size();
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

// The arguments as UTF-8, whatever the ANSI code page.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

int Run() {
  const std::vector<std::string> args = Arguments();
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  std::string folder = args.size() > 1 ? args[1] : Narrow(temp) + "korvath_browse_bench";
  const int repetitions = args.size() > 2 ? std::max(1, std::atoi(args[2].c_str())) : 5;
  if (args.size() <= 1 && GetFileAttributesW(Widen(folder).c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("creating %d files in %s\n", kDefaultFiles, folder.c_str());
    MakeFiles(folder, kDefaultFiles);
  }
  std::wstring full(GetFullPathNameW(Widen(folder).c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(GetFullPathNameW(Widen(folder).c_str(), static_cast<DWORD>(full.size()), full.data(),
                               nullptr));
  folder = Narrow(full);
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  const std::wstring wideFolder = Widen(folder);
  const std::string parent = folder.substr(0, folder.find_last_of('\\') + 1);

  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvathBrowseBench";
  RegisterClassW(&wc);
  HWND host = CreateWindowW(wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                            nullptr, nullptr, wc.hInstance, nullptr);
  // Stand-in for the check list: an owner-data list box drawn from a vector.
  HWND checkList = CreateWindowW(
      L"LISTBOX", L"",
      WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
      300, 0, 200, 300, host, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckListId)),
      wc.hInstance, nullptr);

  SetCurrentDirectoryW(Widen(parent).c_str());
  TDriveComboBox drive;
  TDirectoryListBox dirList;
  TFileListBox fileList;
  drive.SetDirList(&dirList);
  dirList.SetFileList(&fileList);
  fileList.Create(host, 3, 0, 0, 10, 10, nullptr);
  drive.Create(host, 1, 0, 0, 125, 18, nullptr);
  dirList.Create(host, 2, 0, 20, 125, 260, nullptr);
  std::vector<std::string> checkNames;
  dirList.OnChange = [&] {
    checkNames = fileList.Items();  // RefillCheckList's copy
    SendMessageW(checkList, LB_SETCOUNT, checkNames.size(), 0);
  };

  const struct {
    FileOrder order;
    const char* name;
  } orders[] = {
      {FileOrder::Name, "name"}, {FileOrder::Natural, "natural"}, {FileOrder::Date, "date"}};
  constexpr std::size_t kOrders = sizeof orders / sizeof orders[0];
  std::vector<double> enumeration, bare, browser[kOrders];
  std::size_t bareCount = 0;
  for (int r = 0; r < repetitions; ++r) {
    LONGLONG start = Now();
    BareEnumerate(wideFolder);
    enumeration.push_back(Seconds(start));

    start = Now();
    bareCount = BareEnumerateAndSort(wideFolder);
    bare.push_back(Seconds(start));

    for (std::size_t o = 0; o < kOrders; ++o) {
      fileList.SetOrder(orders[o].order);  // while the small parent folder is shown
      start = Now();
      dirList.ShowFolder(folder);
      browser[o].push_back(Seconds(start));
      if (checkNames.size() != bareCount) {
        std::printf("mismatch: browser listed %zu names, bare %zu\n", checkNames.size(), bareCount);
        return 2;
      }
      dirList.ShowFolder(parent);
    }
  }
  const double bareMedian = Median(bare);
  std::printf("folder %s: %zu files, %d repetitions\n", folder.c_str(), bareCount, repetitions);
  std::printf("bare enumeration alone: median %.3f s\n", Median(enumeration));
  std::printf("bare enumeration + key sort: median %.3f s\n", bareMedian);
  bool met = true;
  for (std::size_t o = 0; o < kOrders; ++o) {
    const double browserMedian = Median(browser[o]);
    const double ratio = browserMedian / bareMedian;
    std::printf("browser ShowFolder, %s order (lines, read, sort, fill): median %.3f s\n",
                orders[o].name, browserMedian);
    std::printf("  ratio %.2f (target <= 1.5): %s; absolute (target < 1 s): %s\n", ratio,
                ratio <= 1.5 ? "met" : "MISSED", browserMedian < 1.0 ? "met" : "MISSED");
    met = met && ratio <= 1.5 && browserMedian < 1.0;
  }
  DestroyWindow(host);
  return met ? 0 : 1;
}

}  // namespace
}  // namespace korvath

int main() { return korvath::Run(); }
