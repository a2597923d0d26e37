// The shooting-date order's cost, in the same run as its baselines:
// - a folder of photos shown in shooting-date order, until every date is
//   read and the names re-sorted by them (a new file list each time, so
//   nothing is known beforehand), against a bare loop that enumerates the
//   folder and opens each file and reads its first 64 KiB; target <= 1.5;
// - a folder of files that are no photos (nothing is opened) shown in
//   shooting-date order against the natural order; target <= 1.2.
//
//   capture_bench.exe <photo folder> <other folder> [repetitions]
//
// bench/capture_bench.sh makes both folders from Linux and runs it.

#include <windows.h>
// After windows.h, whose macros it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FileListBox.h"
#include "FileOrder.h"
#include "WideText.h"

namespace korvath {
namespace {

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

// The baseline: one enumeration, then each file opened and its first
// 64 KiB read.
std::size_t BareOpenAndRead(const std::wstring& folder) {
  std::vector<char> buffer(64 * 1024);
  std::size_t files = 0;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    HANDLE file = CreateFileW((folder + L"\\" + data.cFileName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD read = 0;
    ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr);
    CloseHandle(file);
    ++files;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return files;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

// A file list made afresh (no date known), shown on folder in order; for
// the shooting-date order until its dates are in.
double ShowFolder(HWND host, const std::wstring& empty, const std::string& folder, FileOrder order,
                  std::size_t& listed) {
  SetCurrentDirectoryW(empty.c_str());  // the last reading entered its folder
  auto list = std::make_unique<TFileListBox>();
  list->Create(host, 3, 0, 0, 10, 10, nullptr);  // in the (empty) working folder
  list->SetOrder(order);
  const LONGLONG start = Now();
  list->SetDirectory(folder);
  MSG msg;
  while (list->ReadingDates() && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  const double seconds = Seconds(start);
  listed = list->Items().size();
  return seconds;
}

int Run() {
  const std::vector<std::string> args = Arguments();
  if (args.size() < 3) {
    std::printf("usage: capture_bench.exe <photo folder> <other folder> [repetitions]\n");
    return 2;
  }
  const std::string photos = args[1], others = args[2];
  const int repetitions = args.size() > 3 ? std::max(1, std::atoi(args[3].c_str())) : 5;

  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvathCaptureBench";
  RegisterClassW(&wc);
  HWND host = CreateWindowW(wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                            nullptr, nullptr, wc.hInstance, nullptr);
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring empty = std::wstring(temp) + L"korvath_capture_bench_empty";
  CreateDirectoryW(empty.c_str(), nullptr);
  SetCurrentDirectoryW(empty.c_str());

  std::vector<double> bare, shooting, natural, otherShooting;
  std::size_t bareFiles = 0, listed = 0, otherListed = 0;
  for (int r = 0; r < repetitions; ++r) {
    LONGLONG start = Now();
    bareFiles = BareOpenAndRead(Widen(photos));
    bare.push_back(Seconds(start));
    shooting.push_back(ShowFolder(host, empty, photos, FileOrder::ShootingDate, listed));
    natural.push_back(ShowFolder(host, empty, others, FileOrder::Natural, otherListed));
    otherShooting.push_back(ShowFolder(host, empty, others, FileOrder::ShootingDate, otherListed));
  }
  if (listed != bareFiles) {
    std::printf("mismatch: listed %zu photos, bare loop opened %zu\n", listed, bareFiles);
    return 2;
  }
  const double photoRatio = Median(shooting) / Median(bare);
  const double otherRatio = Median(otherShooting) / Median(natural);
  std::printf("%d repetitions\n", repetitions);
  std::printf("%zu photos: bare open + read 64 KiB: median %.3f s\n", bareFiles, Median(bare));
  std::printf("%zu photos: shown in shooting-date order, dates read: median %.3f s\n", listed,
              Median(shooting));
  std::printf("  ratio %.2f (target <= 1.5): %s\n", photoRatio,
              photoRatio <= 1.5 ? "met" : "MISSED");
  std::printf("%zu other files: natural order: median %.3f s\n", otherListed, Median(natural));
  std::printf("%zu other files: shooting-date order: median %.3f s\n", otherListed,
              Median(otherShooting));
  std::printf("  ratio %.2f (target <= 1.2): %s\n", otherRatio,
              otherRatio <= 1.2 ? "met" : "MISSED");
  DestroyWindow(host);
  return photoRatio <= 1.5 && otherRatio <= 1.2 ? 0 : 1;
}

}  // namespace
}  // namespace korvath

int main() { return korvath::Run(); }
