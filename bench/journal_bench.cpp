// Reading a large journal as the start-up and the File menu read it: the
// whole file, its steps checked, the files it renamed counted. Against a
// bare loop reading the same file and counting its lines, in one run;
// prints medians, their ratio and the peak memory of each.
//
//   journal_bench [MiB (32)] [repetitions (3)] [short|files]
//
// short: the smallest steps a journal can hold, a <-> b over and over
// (5.6 million steps in 32 MiB); files: a renumbering of many files, each
// with its identity.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include "RenameJournal.h"
#include "StagedMoves.h"

namespace {

using Clock = std::chrono::steady_clock;

// The process's peak memory so far, in MiB.
double PeakMiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
#endif
}

// Written a line at a time: the bench holds no copy of it.
void MakeJournal(const std::string& path, std::size_t bytes, bool shortSteps) {
  std::ofstream file(path, std::ios::binary);
  std::size_t size = 0;
  const auto put = [&](const std::string& line) {
    file << line;
    size += line.size();
  };
  put(korvath::JournalHeader(korvath::JournalRunKind, "C:\\photos"));
  if (shortSteps) {
    while (size + 12 < bytes) {
      put(korvath::JournalStepLine("a", "b"));
      put(korvath::JournalStepLine("b", "a"));
    }
  } else {
    for (int n = 1; size + 200 < bytes; ++n) {
      char from[32], to[32], id[48];
      std::snprintf(from, sizeof from, "IMG_%07d.JPG", n);
      std::snprintf(to, sizeof to, "trip_%07d.jpg", n);
      std::snprintf(id, sizeof id, "i1a2b3c4d-%08x%08x", n / 7, n);
      put(korvath::JournalStepLine(from, to, id));
    }
  }
  put(std::string(korvath::JournalEndLine));
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return std::move(text).str();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
  const bool shortSteps = argc <= 3 || std::strcmp(argv[3], "files") != 0;
  const std::string path = "journal_bench.log";
  MakeJournal(path, std::min(mib << 20, korvath::kLargestWholeFile), shortSteps);
  const double start = PeakMiB();

  std::vector<double> bare, journal;
  std::size_t lines = 0, steps = 0, renamed = 0;
  double barePeak = 0;
  for (int r = 0; r < repetitions; ++r) {
    const Clock::time_point t0 = Clock::now();
    const std::string text = ReadWhole(path);
    lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    bare.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  barePeak = PeakMiB();
  for (int r = 0; r < repetitions; ++r) {
    const Clock::time_point t0 = Clock::now();
    std::string text = ReadWhole(path);
    korvath::Journal read;
    std::string kind;
    if (korvath::LookAtJournal(text, &kind) != korvath::JournalLook::Finished ||
        !korvath::ParseJournal(std::move(text), read)) {
      std::fprintf(stderr, "journal refused\n");
      return 1;
    }
    steps = read.StepCount();
    renamed = korvath::RenamedFileCount(read);
    if (read.LacksIdentities() != shortSteps) return 1;
    journal.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  const double journalPeak = PeakMiB();
  std::remove(path.c_str());

  std::printf("journal: %zu MiB, %zu lines, %zu steps, %zu files renamed\n", mib, lines, steps,
              renamed);
  std::printf("bare (read, count lines): median %.0f ms, peak %.0f MiB\n", Median(bare),
              barePeak);
  std::printf("journal (read, look, parse, count): median %.0f ms, peak %.0f MiB\n",
              Median(journal), journalPeak);
  std::printf("journal / bare: %.2f time, %.2f peak memory (before reading: %.0f MiB)\n",
              Median(journal) / Median(bare), journalPeak / barePeak, start);
  return 0;
}
