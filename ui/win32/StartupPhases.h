#pragma once
// Moments of the start-up, noted as it passes them, for the start-up
// benchmark to tell where the time goes. A note is one counter read.

#include <cstddef>

namespace korvath {

// Notes that the start-up has reached what (a literal) now.
void NoteStartupPhase(const char* what);

struct StartupPhase {
  const char* What;
  long long Ticks;  // the performance counter's
};
// The notes since the last ClearStartupPhases, in order (at most 64).
std::size_t StartupPhaseCount();
const StartupPhase& StartupPhaseAt(std::size_t i);
void ClearStartupPhases();

}  // namespace korvath
