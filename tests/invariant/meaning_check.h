// Whether the equations of an intermediate file mean what the generated source said: for every
// statement, the equation of its target computes the generator's formula on every combination
// of the signals either of them reads.
#pragma once

#include <map>
#include <string>

#include "device/pin_table.h"
#include "tests/support/design_generator.h"
#include "tests/support/fit_check.h"

namespace kem::testing_support {

// The first equation of the source whose meaning the intermediate file does not carry.
inline std::string CheckMeaning(const GeneratedDesign& source, const IntermediateDesign& compiled) {
  if (compiled.equations.size() != source.equations.size())
    return std::to_string(compiled.equations.size()) + " equations for " +
           std::to_string(source.equations.size()) + " statements";
  for (const auto& meant : source.equations) {
    const std::string name = meant.target + (meant.trst ? ".TRST" : "");
    const Equation* written = nullptr;
    for (const auto& e : compiled.equations) {
      if (e.target == meant.target && e.trst == meant.trst) written = &e;
    }
    if (written == nullptr) return "no equation " + name;
    // An output enable means the same with either polarity of its output.
    const PinRecord* record = nullptr;
    if (!meant.trst) {
      record = fit_check_detail::Find(compiled.pins, meant.target, /*output=*/true);
      if (record == nullptr) return "no output record " + name;
      if ((record->Reg == 1) != meant.registered) return "register of " + name;
    }

    std::map<std::string, bool> levels;
    for (const std::string& signal : meant.rhs.Signals()) levels[signal] = false;
    for (const auto& term : written->terms) {
      for (const auto& literal : term) levels[literal.name] = false;
    }
    if (levels.size() > 16) return "too many signals in " + name;
    for (unsigned bits = 0; bits < (1u << levels.size()); ++bits) {
      unsigned bit = 0;
      for (auto& [signal, level] : levels) level = ((bits >> bit++) & 1u) != 0;
      bool sum = written->constant == 1;
      if (written->constant < 0) {
        for (const auto& term : written->terms) {
          bool product = true;
          for (const auto& literal : term)
            product = product && levels[literal.name] != literal.negated;
          sum = sum || product;
        }
      }
      const bool got = meant.trst || record->Pol == 1 ? sum : !sum;
      const bool want = meant.rhs.Evaluate([&](const std::string& signal) {
        return levels.at(signal);
      }) != meant.negated;
      if (got != want) {
        std::string at = name + " differs where";
        for (const auto& [signal, level] : levels) at += " " + signal + "=" + (level ? "1" : "0");
        return at;
      }
    }
  }
  return {};
}

}  // namespace kem::testing_support
