// The fit report: for every pin of the device its number, name, kind, the terms its equation uses
// of the rows it has, its polarity and output enable, then the device's totals; laid out as the
// simulation's table, each column as wide as its widest entry.
#pragma once

#include <map>
#include <string>

#include "device/pin_table.h"

namespace kem {

// `terms` gives the terms of every output's written equation by pin number.
std::string FitReport(const PinTable& pins, const DesignValues& design,
                      const std::map<int, int>& terms);

}  // namespace kem
