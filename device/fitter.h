// The fitter: reads a compiled design back from its intermediate file, builds the device's fuse
// map from the minimized equations and the catalogue, and hands it to the JEDEC writer.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message_box.h"
#include "common/message_log.h"
#include "device/fuse_map.h"
#include "device/pin_table.h"

namespace kem {

enum class FitOutcome {
  kSucceeded,
  kFailed,              // logged as a failed fit; the JEDEC file is empty or was not created
  kNoIntermediateFile,  // refused with a message box before anything was written
};

// What a successful fit leaves for simulating the device: the fuse map as it will be burned, the
// device, and the design's names of its pins.
struct FittedDesign {
  std::string design_name;
  int gal_type = -1;
  FuseMap map;
  std::vector<std::string> pin_names;  // by pin number, index 0 unused, empty for an unnamed pin
};

// One fitter with its fuse map and the design it last read back. Each fit starts afresh, so a
// fitter may be kept and reused.
class Fitter {
 public:
  // Reads the symbol table of `intermediate`, then builds the fuse map from its equations,
  // read from the start. 1 on success, 0 when the file is incomplete, a record contradicts the
  // device or the mode, or an equation does not fit the device or its output's record.
  int Fit(std::istream& intermediate);

  // Builds the fuse map of the loaded design from the equations of `in`, which is read from its
  // current position up to the symbol table. 1 on success, 0 on failure; the map is finished
  // either way.
  int BuildFuseMap(std::istream& in);

  // Fits the text of an intermediate file and writes `jedec_name`, which is created or emptied
  // first and left empty when the fit fails or is not allowed (the compilation is not known to be
  // clean). The outcome goes to the log as a line of its own; true when the fit succeeded.
  bool RunFit(std::string intermediate_text, const std::string& jedec_name, MessageBoxHost& boxes,
              MessageLog& log, bool fit_allowed = true);

  // The last fit's result, meaningful after a successful one.
  FittedDesign Result() const;

  const FuseMap& fuse_map() const { return map_; }
  const DesignValues& design() const { return design_; }
  const PinTable& pins() const { return pins_; }

 private:
  DesignValues design_;
  PinTable pins_;
  FuseMap map_;
};

// The fit command on a design source: fits <stem>boo into <stem>jed next to it when the error
// file <stem>ERR shows a clean compilation; on success `fitted`, when given, receives the result.
// An intermediate file that is missing, unreadable or not a regular file is refused with a box.
FitOutcome FitCommand(std::string_view source_name, MessageBoxHost& boxes, MessageLog& log,
                      std::optional<FittedDesign>* fitted = nullptr);

}  // namespace kem
