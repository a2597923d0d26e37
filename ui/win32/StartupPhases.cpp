#include "StartupPhases.h"

#include <windows.h>

#include <array>

namespace korvath {
namespace {
std::array<StartupPhase, 64> phases;
std::size_t count = 0;
}  // namespace

void NoteStartupPhase(const char* what) {
  if (count == phases.size()) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  phases[count++] = {what, now.QuadPart};
}

std::size_t StartupPhaseCount() { return count; }
const StartupPhase& StartupPhaseAt(std::size_t i) { return phases[i]; }
void ClearStartupPhases() { count = 0; }

}  // namespace korvath
