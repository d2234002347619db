// Checks a fitted device against the equations it was fitted from: the equations of an
// intermediate file are read here on their own, evaluated for input combinations, and compared
// with what the device model drives on each pin.
#pragma once

#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/intermediate_files.h"
#include "device/pin_table.h"

namespace kem::testing_support {

inline constexpr int kLevels = 31;  // pin levels by pin number 1..30
using Levels = std::vector<bool>;

struct Literal {
  std::string name;
  bool negated = false;
};

struct Equation {
  std::string target;  // the output's name, without "/" or ".TRST"
  bool trst = false;
  int constant = -1;  // 0 GND, 1 VCC, -1 a sum of products
  std::vector<std::vector<Literal>> terms;
};

struct IntermediateDesign {
  DesignValues design;
  PinTable pins;
  std::vector<Equation> equations;
};

// The design of an intermediate file, or nothing when its equations cannot be read.
inline std::optional<IntermediateDesign> ReadIntermediate(const std::string& text) {
  IntermediateDesign d;
  std::istringstream symbols(text);
  if (ReadSymbolTable(symbols, d.design, d.pins) != 1) return std::nullopt;

  std::istringstream in(text);
  std::string token;
  while (in >> token && token != "$__SYMTAB_INFO:") {
    Equation e;
    e.trst = token.size() > 5 && token.ends_with(".TRST");
    e.target = e.trst ? token.substr(0, token.size() - 5) : token;
    if (!e.trst && e.target.starts_with("/")) e.target.erase(0, 1);
    std::string op;
    if (!(in >> op) || (op != "=" && op != ":=")) return std::nullopt;
    e.terms.emplace_back();
    while (in >> token && token != ";") {
      if (token == "GND" || token == "VCC") {
        e.constant = token == "VCC" ? 1 : 0;
      } else if (token == "+") {
        e.terms.emplace_back();
      } else if (token != "&") {
        const bool negated = token.starts_with("/");
        e.terms.back().push_back({negated ? token.substr(1) : token, negated});
      }
    }
    if (!(in >> token)) return std::nullopt;  // the term count
    d.equations.push_back(std::move(e));
  }
  return d;
}

namespace fit_check_detail {

inline const PinRecord* Find(const PinTable& pins, const std::string& name, bool output) {
  for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
    const PinRecord& r = pins.record(i);
    const bool in_set = output ? r.IO == kIoOutput || r.IO == kIoOutputReadBack
                               : r.IO == kIoInput || r.IO == kIoOutputReadBack;
    if (r.name == name && in_set) return &r;
  }
  return nullptr;
}

inline std::string Describe(const Levels& levels, const std::vector<int>& pins) {
  std::string text = " at pin levels";
  for (int pin : pins) text += " " + std::to_string(pin) + "=" + (levels[pin] ? "1" : "0");
  return text;
}

}  // namespace fit_check_detail

// Empty when the device computes every equation for every combination of the signals read (or
// for `samples` random ones when there are more than `exhaustive_limit` of them); else the first
// difference found.
inline std::string CheckDeviceAgainstEquations(const DeviceSimulator& model,
                                               const IntermediateDesign& d,
                                               int exhaustive_limit = 14, int samples = 4096) {
  using namespace fit_check_detail;
  std::vector<int> inputs;
  for (int i = d.pins.first_design_record(); i <= d.pins.count(); ++i) {
    const PinRecord& r = d.pins.record(i);
    if (r.IO == kIoInput || r.IO == kIoOutputReadBack) inputs.push_back(r.Number);
  }
  // The equations with their signals looked up once.
  struct Resolved {
    const Equation* equation;
    const PinRecord* out;
    std::vector<std::vector<std::pair<int, bool>>> terms;  // pin number, negated
  };
  std::vector<Resolved> resolved;
  for (const Equation& e : d.equations) {
    Resolved r{&e, Find(d.pins, e.target, true), {}};
    if (r.out == nullptr) return "no output record " + e.target;
    for (const auto& term : e.terms) {
      r.terms.emplace_back();
      for (const Literal& literal : term) {
        const PinRecord* in = Find(d.pins, literal.name, false);
        if (in == nullptr) return "no input record " + literal.name;
        r.terms.back().emplace_back(in->Number, literal.negated);
      }
    }
    resolved.push_back(std::move(r));
  }

  const int n = static_cast<int>(inputs.size());
  const bool exhaustive = n <= exhaustive_limit;
  const long long rounds = exhaustive ? 1LL << n : samples;
  std::mt19937_64 random(12345);
  const int pin_count = PinCount(d.design.Gal_Type);

  for (long long round = 0; round < rounds; ++round) {
    const unsigned long long bits = exhaustive ? static_cast<unsigned long long>(round) : random();
    Levels levels(kLevels, false);
    for (int i = 0; i < n; ++i) levels[inputs[i]] = (bits >> i) & 1u;
    const DeviceSimulator::Snapshot result = model.Evaluate(levels);
    if (!result.valid) return "a term reads a column without a signal" + Describe(levels, inputs);

    for (const Resolved& r : resolved) {
      const Equation& e = *r.equation;
      bool sop = e.constant == 1;
      if (e.constant < 0) {
        for (const auto& term : r.terms) {
          bool product = true;
          for (const auto& [pin, negated] : term) product = product && (levels[pin] != negated);
          sop = sop || product;
        }
      }
      const bool level = r.out->Pol == 1 ? sop : !sop;
      auto where = [&] { return e.target + (e.trst ? ".TRST" : "") + Describe(levels, inputs); };

      if (r.out->Pin_or_Node == kNode) {
        const bool got = r.out->Number == pin_count + 1 ? result.reset : result.preset;
        if (got != level) return "node " + where();
        continue;
      }
      const auto& drive = result.pins[r.out->Number];
      if (!drive) return e.target + " drives no pin";
      if (e.trst) {
        if (drive->enabled != sop) return "output enable of " + where();
        continue;
      }
      const DeviceSimulator::Macrocell* cell = model.MacrocellOfPin(r.out->Number);
      if (cell->registered != (r.out->Reg == 1)) return "register of " + e.target;
      if (drive->level != level) return "level of " + where();
      if (r.out->Trst == -1 && !drive->enabled) return "no output enable for " + where();
    }
  }
  return {};
}

}  // namespace kem::testing_support
