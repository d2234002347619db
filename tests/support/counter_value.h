// The value the example counter (gal22v10_counter.kem) shows in a function simulation.
#pragma once

#include "shell/waveform_model.h"

namespace kem::test {

// Q3..Q0 after `step` as a number; -1 while they float.
inline int CounterValue(const WaveformModel& model, int step) {
  int count = 0;
  for (const char* name : {"Q3", "Q2", "Q1", "Q0"}) {
    const PinLevel level = model.Level(model.RowOf(name), step);
    if (level == PinLevel::kZ) return -1;
    count = 2 * count + (level == PinLevel::kHigh ? 1 : 0);
  }
  return count;
}

}  // namespace kem::test
