#include <string>

#include "common/keywords.h"
#include "compiler/header.h"
#include "compiler/symbols.h"
#include "device/catalogue.h"

namespace kem {

void ParsePinList(CompileRun& run) {
  const int type = run.design.Gal_Type;
  const int mode = run.design.Gal_Mode;
  const int pin_count = PinCount(type);
  std::string name;
  for (int pin = 1; pin <= pin_count; ++pin) {
    run.scanner.SkipText(SkipMode::kBlanks);
    if (!run.scanner.ScanIdentifier(name)) {
      run.Report(Diag::E21);
      continue;
    }
    int io = kIoUnused;
    const std::string_view fixed = FixedName(type, mode, pin);
    if (!fixed.empty()) {
      if (name != fixed) run.Report(Diag::E22, name);
      if (PinClass(type, mode, pin) == kPinFixed) io = kIoUnavailable;
    } else if (name == kNcKeyword) {
      io = kIoUnavailable;  // any number of pins may be unconnected
    } else if (run.pins.LookupSymbol(name) >= run.pins.first_design_record()) {
      run.Report(Diag::E12, name);
    }
    AddSymbol(run, name, kPin, io, pin, 1, -1, -1);
  }
  for (int node = pin_count + 1; node <= pin_count + NodeCount(type); ++node) {
    AddSymbol(run, FixedName(type, mode, node), kNode, kIoUnused, node, 1, -1, -1);
  }
}

}  // namespace kem
