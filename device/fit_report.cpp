// FitReport. A pin's record is the design's record of that number; a pin the design does not use
// is fixed where the device names it (supply, clock, enable) and free otherwise. A registered
// output is "getaktet", an enabled output that is also read is a bus.
#include "device/fit_report.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/format.h"
#include "device/catalogue.h"
#include "device/fitter_messages.h"

namespace kem {

namespace {

constexpr std::size_t kColumns = std::size(fitter_messages::kReportColumns);
using Row = std::array<std::string, kColumns>;

const PinRecord* RecordOf(const PinTable& pins, int number) {
  for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
    const PinRecord& r = pins.record(i);
    if (r.Pin_or_Node == kPin && r.Number == number) return &r;
  }
  return nullptr;
}

std::string_view KindOf(const PinRecord* r, bool fixed) {
  if (r != nullptr && IsOutput(*r)) {
    if (r->Reg == 1) return fitter_messages::kKindRegistered;
    return r->Trst == 1 && r->IO == kIoOutputReadBack ? fitter_messages::kKindBus
                                                      : fitter_messages::kKindCombinational;
  }
  if (r != nullptr && IsReadable(*r)) return fitter_messages::kKindInput;
  return fixed ? fitter_messages::kKindFixed : fitter_messages::kKindFree;
}

// Characters, not bytes: a column of "Polarität" is as wide as it looks.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

std::string FitReport(const PinTable& pins, const DesignValues& design,
                      const std::map<int, int>& terms) {
  std::vector<Row> rows;
  Row head;
  std::copy(std::begin(fitter_messages::kReportColumns), std::end(fitter_messages::kReportColumns),
            head.begin());
  rows.push_back(head);
  int used_terms = 0;
  int all_rows = 0;
  int used_outputs = 0;
  int all_outputs = 0;
  for (int p = 1; p <= PinCount(design.Gal_Type); ++p) {
    const PinRecord* r = RecordOf(pins, p);
    const bool output = r != nullptr && IsOutput(*r);
    const int reg = output ? r->Reg : 0;
    const int limit = EquationTermLimit(design.Gal_Type, design.Gal_Mode, p, reg);
    Row row;
    row[0] = std::to_string(p);
    row[1] = r != nullptr ? r->name : "";
    row[2] = KindOf(r, !FixedName(design.Gal_Type, design.Gal_Mode, p).empty());
    row[3] = row[4] = row[5] = "-";
    if (limit > 0) {
      const auto found = terms.find(p);
      const int used = output && found != terms.end() ? found->second : 0;
      row[3] = std::to_string(used) + "/" + std::to_string(limit);
      used_terms += used;
      all_rows += limit;
      ++all_outputs;
      if (output) {
        ++used_outputs;
        row[4] = r->Pol == 1 ? fitter_messages::kActiveHigh : fitter_messages::kActiveLow;
        if (r->Trst == 1) row[5] = fitter_messages::kEnableEquation;
      }
    }
    rows.push_back(row);
  }
  std::array<std::size_t, kColumns> widths{};
  for (const Row& row : rows) {
    for (std::size_t c = 0; c < kColumns; ++c) widths[c] = std::max(widths[c], Width(row[c]));
  }
  std::string text =
      FormatText(fitter_messages::kReportHeading, {DeviceName(design.Gal_Type)}) + '\n';
  for (const Row& row : rows) {
    // The pin number stands right-aligned, as the simulation's line numbers do.
    std::string line(widths[0] - Width(row[0]), ' ');
    line += row[0];
    for (std::size_t c = 1; c < kColumns; ++c)
      line += ' ' + row[c] + std::string(widths[c] - Width(row[c]), ' ');
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + '\n';
  }
  text += FormatText(fitter_messages::kReportTotals,
                     {std::to_string(used_terms), std::to_string(all_rows),
                      std::to_string(used_outputs), std::to_string(all_outputs)}) +
          '\n';
  return text;
}

}  // namespace kem
