// Writes intermediate files by hand for fitter tests: a record for every pin and node of the
// device (its fixed name, else P<number>, unused), the signals a test names, the equations as
// text, and the symbol table block the compiler would write.
#pragma once

#include <string>

#include "device/catalogue.h"
#include "device/intermediate_files.h"
#include "device/pin_table.h"
#include "tests/support/error_file.h"

namespace kem::testing_support {

class IntermediateBuilder {
 public:
  IntermediateBuilder(int gal_type, int mode, std::string user_id = {}) {
    design_ = {"test", gal_type, mode, std::move(user_id)};
    pins_.Reset(1);
    const int pin_count = PinCount(gal_type);
    for (int n = 1; n <= pin_count + NodeCount(gal_type); ++n) {
      const std::string_view fixed = FixedName(gal_type, mode, n);
      PinRecord r;
      r.name = fixed.empty() ? "P" + std::to_string(n) : std::string(fixed);
      r.Pin_or_Node = n > pin_count ? kNode : kPin;
      r.IO = !fixed.empty() && n <= pin_count ? kIoUnavailable : kIoUnused;
      r.Number = n;
      pins_.Add(r);
    }
  }

  IntermediateBuilder& Input(int n, const std::string& name) {
    PinRecord& r = pins_.record(n);
    r.name = name;
    r.IO = kIoInput;
    return *this;
  }

  // An output: `reg` 1 registered, 0 combinational, -1 a constant equation; `io` 3 when the
  // design reads it back.
  IntermediateBuilder& Output(int n, const std::string& name, int reg = 0, int pol = 1,
                              int trst = -1, int io = kIoOutput) {
    PinRecord& r = pins_.record(n);
    if (!name.empty()) r.name = name;
    r.IO = io;
    r.Reg = reg;
    r.Pol = pol;
    r.Trst = trst;
    return *this;
  }

  IntermediateBuilder& Equations(const std::string& text) {
    equations_ += text;
    return *this;
  }

  std::string Text() const {
    CapturedErrorFile file;
    WriteSymbolTableBlock(file.get(), design_, pins_);
    return equations_ + file.Text();
  }

 private:
  DesignValues design_;
  PinTable pins_;
  std::string equations_;
};

}  // namespace kem::testing_support
