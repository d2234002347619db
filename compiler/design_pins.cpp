#include "compiler/design_pins.h"

#include "compiler/compile_run.h"
#include "compiler/header.h"
#include "compiler/symbols.h"
#include "device/catalogue.h"

namespace kem {

namespace {

// The header is parsed as a compilation parses it, with nobody to tell.
class SilentHost : public CompileHost {
 public:
  MessageLog& Log() override { return log_; }
  BoxAnswer ShowMessageBox(std::string_view, BoxKind, BoxIcon, BoxButtons) override {
    return BoxAnswer::kNo;
  }

 private:
  LogModel log_;
};

}  // namespace

std::optional<DesignPins> ReadDesignPins(std::string_view source) {
  SilentHost host;
  CompileRun run(CompileOptions{}, host);
  run.source.Assign(source);
  if (InitSymbolTable(run, true) < 0) return std::nullopt;
  ParseHeader(run);
  if (!run.CompileClean() || run.design.Gal_Type < 0) return std::nullopt;
  DesignPins pins;
  pins.gal_type = run.design.Gal_Type;
  pins.names.resize(PinCount(pins.gal_type) + 1);
  for (int r = run.pins.first_design_record(); r <= run.pins.count(); ++r) {
    const PinRecord& record = run.pins.record(r);
    if (record.Pin_or_Node == kPin && record.Number > 0 &&
        record.Number < static_cast<int>(pins.names.size()))
      pins.names[record.Number] = record.name;
  }
  return pins;
}

}  // namespace kem
