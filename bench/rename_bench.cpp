// The rename run on real files against a bare loop of the same Win32 calls
// (the exact-name existence test and MoveFileA), each over a fresh
// folder of identical files. Target: engine / bare <= 1.10.
//
//   rename_bench.exe [repetitions, default 4]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "NamingFields.h"
#include "PreviewRows.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"
#include "Win32FileSystem.h"

namespace korvath {
namespace {

constexpr const char* kPrefix = "renamed_";
constexpr int kDigits = 5;

class Fields : public NamingFields {
 public:
  std::string PrefixText() const override { return kPrefix; }
  std::string SuffixText() const override { return {}; }
  std::string ExtensionText() const override { return std::string(KeepExtension); }
  bool FullWidthChecked() const override { return false; }
};

// Answers Yes and shows nothing: what is measured is the engine.
class QuietObserver : public RenameObserver {
 public:
  bool Ask(std::string_view, std::string_view) override { return true; }
  void WarnCollision(std::string_view, std::string_view, const std::string&) override {}
  void Warn(std::string_view, std::string_view) override {}
  void Beep() override {}
  void ShowStartNumber(const std::string&) override {}
  void ShowCompletedCount(const std::string&) override {}
  std::vector<std::string> RereadFiles() override { return {}; }
};

std::string FileName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "file_%06d.dat", i);
  return name;
}

void MakeFolder(const std::string& folder, int count) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "\\" + FileName(i);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileA((folder + "\\" + data.cFileName).c_str());
      }
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The existence test written out, as a hand-made loop would do it.
bool BareExists(const char* name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  FILETIME local;
  WORD date, time;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &date, &time);
}

double RunBare(int count, int* renamed) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int done = 0;
  char target[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(target, sizeof target, "%s%05d.dat", kPrefix, 1 + i);
    if (BareExists(target)) continue;
    if (MoveFileA(FileName(i).c_str(), target)) ++done;
  }
  QueryPerformanceCounter(&end);
  *renamed = done;
  return Seconds(start, end);
}

double RunEngine(int count, int* renamed) {
  Fields fields;
  RenameSession session(fields);
  session.DigitCount = kDigits;
  for (int i = 0; i < count; ++i) session.Files.push_back({FileName(i), true});
  PreviewRows preview;
  Win32FileSystem fileSystem;
  QuietObserver observer;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  const RenameRunResult result = RunRename(session, preview, fileSystem, observer);
  QueryPerformanceCounter(&end);
  *renamed = result.CompletedCount;
  return Seconds(start, end);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace
}  // namespace korvath

int main(int argc, char** argv) {
  using namespace korvath;
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string root =
      std::string(temp) + "korvath_rename_bench_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(root.c_str(), nullptr);

  bool ok = true;
  for (int count : {1000, 3000}) {
    std::vector<double> bare, engine;
    for (int rep = 0; rep < repetitions; ++rep) {
      // Both folders exist while either runs, and the order alternates (an
      // even number of repetitions cancels any advantage of going first).
      const std::string folders[2] = {root + "\\engine", root + "\\bare"};
      for (const std::string& folder : folders) MakeFolder(folder, count);
      for (int turn = 0; turn < 2; ++turn) {
        const bool engineTurn = (turn == 0) == (rep % 2 == 0);
        SetCurrentDirectoryA(folders[engineTurn ? 0 : 1].c_str());
        int renamed = 0;
        const double seconds = engineTurn ? RunEngine(count, &renamed) : RunBare(count, &renamed);
        SetCurrentDirectoryA(root.c_str());
        if (renamed != count) {
          std::printf("%s renamed %d of %d files\n", engineTurn ? "engine" : "bare", renamed,
                      count);
          ok = false;
        }
        (engineTurn ? engine : bare).push_back(seconds);
      }
      for (const std::string& folder : folders) RemoveFolder(folder);
    }
    const double b = Median(bare), e = Median(engine);
    // Each repetition's two runs follow each other, so their ratio is less
    // swayed by load that comes and goes on a shared machine.
    std::vector<double> paired;
    for (int rep = 0; rep < repetitions; ++rep) paired.push_back(engine[rep] / bare[rep]);
    std::printf(
        "%5d files: bare %.3f s (%.2f ms/file), engine %.3f s (%.2f ms/file), ratio %.3f"
        " (medians of %d; fastest: bare %.3f s, engine %.3f s; median paired ratio %.3f)\n",
        count, b, b * 1000 / count, e, e * 1000 / count, e / b, repetitions,
        *std::min_element(bare.begin(), bare.end()),
        *std::min_element(engine.begin(), engine.end()), Median(paired));
    std::fflush(stdout);
  }
  SetCurrentDirectoryA(temp);
  RemoveDirectoryA(root.c_str());
  return ok ? 0 : 1;
}
