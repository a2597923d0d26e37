// The user's masks against no masks, in one run, as medians:
//   options OK   from a click on the options dialog's OK until the dialog
//                is gone and the main window repainted and idle: the whole
//                settings file written, the file type selector rebuilt, the
//                file type change handled (limit 1.2x)
//   start-up     the windows created in start-up order from the settings
//                file and shown until idle, in this process (limit 1.2x)
//   program      Korvath.exe started in the folder until its shown window
//                is idle (limit 1.2x)
// with a settings file holding 1,000 masks, against the same file with none
// (FileCount -1).
//
//   wine-run bench/mask_bench.exe [repetitions]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "About.h"
#include "Application.h"
#include "FilterComboBox.h"
#include "ModalScript.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "Setup.h"
#include "ShownWindows.h"
#include "Win32Folders.h"

namespace {

using namespace korvath;

constexpr int kMasks = 1000;

// <chrono> holds a character that cp932 lacks: the performance counter it is.
double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A folder with a few files and a settings file holding masks user masks
// (none: FileCount -1), beside the histories a used program has.
std::string MakeFolder(const std::string& name, int masks) {
  std::string folder = testsupport::MakeScratchFolder("kvt-mbench-" + name + "-");
  for (int i = 0; i < 20; ++i) WriteBenchFile(folder + "\\f" + std::to_string(i) + ".txt", "x");
  std::ostringstream ini;
  ini << "[Form]\r\nLeft=198\r\nTop=95\r\n[SetUp]\r\nDirHst0=" << folder << "\r\n";
  for (int i = 1; i < 7; ++i) ini << "DirHst" << i << "=\r\n";
  for (int i = 0; i < 33; ++i) ini << "TopHst" << i << "=\r\n";
  for (int i = 0; i < 33; ++i) ini << "BtmHst" << i << "=\r\n";
  ini << "[Option]\r\nFileCount=" << masks - 1 << "\r\n";
  for (int i = 0; i < masks; ++i) ini << "File" << i << "=*.m" << i << "\r\n";
  WriteBenchFile(folder + "\\KVTset.ini", ini.str());
  return folder;
}

// The windows in the program entry's order, shown and idle.
struct Windows : ShownWindows {
  Windows() : ShownWindows([](HWND) { Pump(); }) {}
};

double TimeStartup(const std::string& folder, std::size_t expectedEntries) {
  SetCurrentDirectoryW(Widen(folder).c_str());
  double t0 = NowMs();
  Windows windows;
  double elapsed = NowMs() - t0;
  if (windows.controls->FilterComboBox1->Descriptions().size() != expectedEntries) {
    std::printf("start-up in %s did not list the masks\n", folder.c_str());
    std::exit(1);
  }
  return elapsed;
}

// From the click on OK, inside the dialog's own loop, until the dialog is
// gone and the main window is repainted and idle.
double TimeOptionsOk(const std::string& folder, std::size_t expectedEntries) {
  SetCurrentDirectoryW(Widen(folder).c_str());
  Windows windows;
  windows.controls->FilterComboBox1->Pick(7);  // OK goes back to the first entry
  Pump();
  double t0 = -1;
  testsupport::ModalScript::Run(
      windows.option->Handle(),
      [&] {
        SendMessageW(windows.setup->Handle(), WM_COMMAND, MAKEWPARAM(kCmdKOption1, 0), 0);
        return 0;
      },
      {[&] {
        t0 = NowMs();
        SendMessageW(windows.optionControls->BitBtn1, BM_CLICK, 0, 0);
      }});
  UpdateWindow(windows.setup->Handle());
  Pump();
  double elapsed = NowMs() - t0;
  if (t0 < 0 || windows.option->Showing() ||
      windows.controls->FilterComboBox1->Descriptions().size() != expectedEntries ||
      windows.controls->FilterComboBox1->ItemIndex() != 0) {
    std::printf("options OK in %s did not rebuild the selector\n", folder.c_str());
    std::exit(1);
  }
  return elapsed;
}

// The ratio of the medians, and the median of the ratios of the pairs
// measured back to back (steadier on a loaded machine).
void Report(const char* what, const std::vector<double>& none, const std::vector<double>& masks,
            double limit) {
  std::vector<double> pairs;
  for (std::size_t i = 0; i < none.size(); ++i) pairs.push_back(masks[i] / none[i]);
  double ratio = Median(masks) / Median(none);
  std::printf(
      "%-12s no masks %7.1f ms, %d masks %7.1f ms, ratio %.3f, paired %.3f (limit %.2f) %s\n", what,
      Median(none), kMasks, Median(masks), ratio, Median(pairs), limit,
      ratio <= limit ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
  int repetitions = argc > 1 ? std::max(3, std::atoi(argv[1])) : 5;
  Application.Initialize(GetModuleHandleW(nullptr));
  Application.SetTitle("Korvath");
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::string self = Narrow(module);
  std::string program = self.substr(0, self.find_last_of('\\')) + "\\..\\ui\\Korvath.exe";

  std::string none = MakeFolder("none", 0);
  std::string many = MakeFolder("many", kMasks);
  const std::size_t noneEntries = 19, manyEntries = 19 + kMasks;
  std::string startFolder = testsupport::CurrentFolder();

  // Alternating, after one round that warms the caches.
  TimeStartup(none, noneEntries);
  TimeStartup(many, manyEntries);
  std::vector<double> okNone, okMany, startNone, startMany, programNone, programMany;
  for (int r = 0; r < repetitions; ++r) {
    okNone.push_back(TimeOptionsOk(none, noneEntries));
    okMany.push_back(TimeOptionsOk(many, manyEntries));
    startNone.push_back(TimeStartup(none, noneEntries));
    startMany.push_back(TimeStartup(many, manyEntries));
    programNone.push_back(TimeProgramStart("\"" + program + "\"", none, L"ver"));
    programMany.push_back(TimeProgramStart("\"" + program + "\"", many, L"ver"));
  }
  SetCurrentDirectoryW(Widen(startFolder).c_str());
  std::printf("medians of %d repetitions\n", repetitions);
  Report("options OK", okNone, okMany, 1.2);
  Report("start-up", startNone, startMany, 1.2);
  Report("program", programNone, programMany, 1.2);
  testsupport::RemoveTree(none);
  testsupport::RemoveTree(many);
  return 0;
}
