// The rename run on real files against a bare loop of an exact-name
// existence test and MoveFileW per file, each over a fresh folder of
// identical files, and an already numbered folder renumbered one up in
// place. Targets: engine / bare <= 1.05, renumber / bare <= 1.10.
//
//   rename_bench.exe [repetitions, default 4] [files, default 1000]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "NamingFields.h"
#include "PreviewRows.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameUndo.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"
#include "WideText.h"
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
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "\\" + FileName(i);
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

void RemoveFolder(const std::string& folder) {
  const std::wstring wide = Widen(folder);
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((wide + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW((wide + L"\\" + data.cFileName).c_str());
      }
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  RemoveDirectoryW(Widen(folder).c_str());
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The existence test written out, as a hand-made wide loop would do it.
bool BareExists(const wchar_t* name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(name, GetFileExInfoStandard, &data)) return false;
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
  const std::wstring prefix = Widen(kPrefix);
  wchar_t source[64], target[64];
  for (int i = 0; i < count; ++i) {
    std::swprintf(source, 64, L"file_%06d.dat", i);
    std::swprintf(target, 64, L"%ls%05d.dat", prefix.c_str(), 1 + i);
    if (BareExists(target)) continue;
    if (MoveFileW(source, target)) ++done;
  }
  QueryPerformanceCounter(&end);
  *renamed = done;
  return Seconds(start, end);
}

std::string NumberedName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%05d.dat", kPrefix, i);
  return name;
}

// The run over the folder's files: file_000000.dat ... to renamed_00001.dat
// ..., or (renumber) renamed_00001.dat ... to renamed_00002.dat ...
double RunEngine(int count, int* renamed, const std::string& journal, bool renumber,
                 const std::string& folder = {}) {
  Fields fields;
  RenameSession session(fields);
  session.DigitCount = kDigits;
  for (int i = 0; i < count; ++i) {
    session.Files.push_back({renumber ? NumberedName(i + 1) : FileName(i), true});
  }
  session.StartNumber = renumber ? 2 : 1;
  PreviewRows preview;
  Win32FileSystem fileSystem;
  QuietObserver observer;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  const RenameRunResult result =
      RunRename(session, preview, fileSystem, observer, RenamePlace{folder, journal});
  QueryPerformanceCounter(&end);
  *renamed = result.CompletedCount;
  return Seconds(start, end);
}

void MakeNumberedFolder(const std::string& folder, int count) {
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  for (int i = 1; i <= count; ++i) {
    const std::string path = folder + "\\" + NumberedName(i);
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

// The undo of the journaled run just made in folder: every file back.
double RunUndo(const std::string& journal, int* restored) {
  Win32FileSystem fileSystem;
  const std::string undoJournal = journal.substr(0, journal.size() - 10) + "KVTundo.log";
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  const UndoResult result = UndoLastRun(fileSystem, JournalPaths{journal, undoJournal});
  QueryPerformanceCounter(&end);
  *restored = result.Restored;
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
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::string root =
      Narrow(temp) + "korvath_rename_bench_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(Widen(root).c_str(), nullptr);

  bool ok = true;
  const int count = argc > 2 ? std::max(10, std::atoi(argv[2])) : 1000;
  const std::string journal = root + "\\KVTrun.log";
  const char* const kinds[] = {"bare", "engine", "journal", "renumber", "undo"};
  std::vector<double> times[5];
  for (int rep = 0; rep < repetitions; ++rep) {
    // All four folders exist while any runs, and the order rotates, so that
    // no kind always goes first on a machine whose load comes and goes.
    std::string folders[4];
    for (int k = 0; k < 4; ++k) {
      folders[k] = root + "\\" + kinds[k];
      if (k == 3) {
        MakeNumberedFolder(folders[k], count);
      } else {
        MakeFolder(folders[k], count);
      }
    }
    for (int turn = 0; turn < 4; ++turn) {
      const int k = (turn + rep) % 4;
      SetCurrentDirectoryW(Widen(folders[k]).c_str());
      int renamed = 0;
      const double seconds = k == 0   ? RunBare(count, &renamed)
                             : k == 1 ? RunEngine(count, &renamed, "", false)
                                      : RunEngine(count, &renamed, journal, k == 3, folders[k]);
      if (renamed != count) {
        std::printf("%s renamed %d of %d files\n", kinds[k], renamed, count);
        ok = false;
      }
      times[k].push_back(seconds);
      if (k == 2) {
        // The same files back through their held handles, right after.
        int restored = 0;
        times[4].push_back(RunUndo(journal, &restored));
        if (restored != count) {
          std::printf("undo restored %d of %d files\n", restored, count);
          ok = false;
        }
      }
      SetCurrentDirectoryW(Widen(root).c_str());
    }
    for (const std::string& folder : folders) RemoveFolder(folder);
    DeleteFileW(Widen(journal).c_str());
  }
  const double bare = Median(times[0]), engine = Median(times[1]), journaled = Median(times[2]),
               renumber = Median(times[3]);
  std::printf("%d files, medians of %d:\n", count, repetitions);
  for (int k = 0; k < 5; ++k) {
    const double t = Median(times[k]);
    std::printf("  %-8s %.3f s (%.2f ms/file)\n", kinds[k], t, t * 1000 / count);
  }
  std::printf("  engine / bare      %.3f (target <= 1.05)\n", engine / bare);
  std::printf("  journal / engine   %.3f (target <= 1.15)\n", journaled / engine);
  std::printf("  renumber / bare    %.3f (target <= 1.10)\n", renumber / bare);
  std::printf("  undo / journal     %.3f (target <= 1.5)\n", Median(times[4]) / journaled);
  std::fflush(stdout);
  SetCurrentDirectoryW(temp);
  RemoveDirectoryW(Widen(root).c_str());
  return ok ? 0 : 1;
}
