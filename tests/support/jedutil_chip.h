// The chip that jedutil (from mame-tools), an independent decoder, reads from a JEDEC file of a
// PAL or a GAL16V8/GAL20V8: its equations ("/o19 = i2 & /i3 +", "rf17 := ...", "o18.oe = OE")
// taken back into the form the comparison reads.
#pragma once

#include <cstdio>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

#include "interchange/chip_function.h"
#include "tests/support/run_kemc.h"

namespace kem::testing_support {

inline bool HasJedutil() {
  return std::system("command -v jedutil >/dev/null 2>&1") == 0;
}

inline ChipSum JedutilSum(const std::string& text, int oe_pin) {
  ChipSum sum;
  std::istringstream terms(std::regex_replace(text, std::regex("\\+"), "\n"));
  for (std::string term; std::getline(terms, term);) {
    if (term.find_first_not_of(" ") == std::string::npos) continue;
    ChipTerm product;
    std::istringstream literals(std::regex_replace(term, std::regex("&"), " "));
    for (std::string literal; literals >> literal;) {
      const bool inverted = literal[0] == '/';
      if (inverted) literal.erase(0, 1);
      if (literal == "vcc") continue;
      if (literal == "OE") {
        product.literals.push_back({oe_pin, true});  // the output-enable pin is active low
        continue;
      }
      product.literals.push_back(
          {std::stoi(literal.substr(literal.find_first_of("0123456789"))), inverted});
    }
    bool never = term.find("gnd") != std::string::npos;
    for (const ChipLiteral& a : product.literals) {
      for (const ChipLiteral& b : product.literals)
        never = never || (a.pin == b.pin && a.inverted != b.inverted);
    }
    if (!never) sum.push_back(product);
  }
  return sum;
}

// `device` as jedutil names it; `pins` the package's.
inline std::optional<ChipFunction> JedutilChip(const std::string& path, const std::string& device,
                                               ChipLayout layout, int pins) {
  const std::string command = "jedutil -view " + ShellQuote(path) + " " + device + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (pclose(pipe) != 0) return std::nullopt;
  ChipFunction chip;
  chip.device = device;
  chip.layout = layout;
  chip.pin_count = pins;
  chip.pin_names.assign(static_cast<std::size_t>(pins) + 1, {});
  const int oe_pin = pins == 20 ? 11 : 13;
  // Equations join their continuation lines first.
  std::string joined =
      std::regex_replace(out.substr(out.find("Equations:")), std::regex("\n +"), " ");
  const std::regex equation("^(/?)(o|rf)([0-9]+)(\\.oe)? (:?=) ?(.*)$");
  std::istringstream lines(joined);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, equation)) continue;
    const int pin = std::stoi(m[3]);
    ChipOutput* output = nullptr;
    for (ChipOutput& o : chip.outputs) output = o.pin == pin ? &o : output;
    if (output == nullptr) {
      chip.outputs.push_back({pin, ChipPinKind::kCombinational, true, {}, {}});
      output = &chip.outputs.back();
    }
    if (m[4].matched) {
      output->enable = JedutilSum(m[6], oe_pin);
      continue;
    }
    output->active_high = m[1].length() == 0;
    output->kind = m[5] == ":=" ? ChipPinKind::kRegistered : ChipPinKind::kCombinational;
    output->terms = JedutilSum(m[6], oe_pin);
  }
  for (ChipOutput& output : chip.outputs) {
    const bool always = output.enable.size() == 1 && output.enable[0].literals.empty();
    if (output.kind == ChipPinKind::kCombinational && !always)
      output.kind = output.enable.empty() ? ChipPinKind::kNotDriven : ChipPinKind::kBus;
    if (output.kind == ChipPinKind::kNotDriven) output.terms.clear();
  }
  return chip;
}

}  // namespace kem::testing_support
