#include "interchange/design_text.h"

#include <algorithm>
#include <cstddef>

namespace kem {
namespace {

void AppendComment(std::string& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    out += line.empty() ? "//" : "// " + line;
    out += '\n';
  }
}

// One row of the pin list, every name padded to the width of the longest, so the columns of the
// two rows line up as pin n over pin n + half.
void AppendPinRow(std::string& out, const std::vector<std::string>& pins, std::size_t first,
                  std::size_t last, std::size_t width) {
  out += "// pins " + std::to_string(first + 1) + " .. " + std::to_string(last) + "\n";
  std::string row;
  for (std::size_t i = first; i < last; ++i) {
    row += pins[i];
    if (i + 1 < last) row.append(width + 1 - pins[i].size(), ' ');
  }
  out += row + "\n";
}

const char* AssignmentOf(DesignEquation::Kind kind) {
  return kind == DesignEquation::Kind::kRegistered ? " := " : " = ";
}

void AppendEquation(std::string& out, const DesignEquation& equation) {
  AppendComment(out, equation.comment);
  if (equation.nomin) out += "#NOMIN\n";
  std::string left = (equation.negated ? "/" : "") + equation.target;
  if (equation.kind == DesignEquation::Kind::kEnable) left += ".TRST";
  left += AssignmentOf(equation.kind);
  // Continuation lines start with "+ " under the first term.
  const std::string indent(left.size() - 2, ' ');
  out += left;
  for (std::size_t i = 0; i < equation.terms.size(); ++i) {
    if (i > 0) out += "\n" + indent + "+ ";
    out += equation.terms[i];
  }
  out += ";\n";
  if (equation.nomin) out += "#ENDNOMIN\n";
}

// A heading line as the compiler must read it: it stands before CHIP, which is found wherever its
// four letters stand, and inside a block comment, which "*/" would end.
std::string HeadingLine(std::string line) {
  for (std::size_t at = line.find("*/"); at != std::string::npos; at = line.find("*/", at))
    line.insert(at + 1, " ");
  for (std::size_t at = line.find("CHIP"); at != std::string::npos; at = line.find("CHIP", at))
    line.replace(at, 4, "Chip");
  return line;
}

}  // namespace

std::string WriteDesignText(const DesignText& design) {
  std::string out;
  if (!design.heading.empty()) {
    out += "/*\n";
    for (const std::string& line : design.heading)
      out += line.empty() ? " *\n" : " * " + HeadingLine(line) + "\n";
    out += " */\n\n";
  }
  out += "CHIP " + design.name + " " + design.device;
  if (!design.mode.empty()) out += " " + design.mode;
  if (!design.user_id.empty()) out += " USER_ID = " + design.user_id;
  out += "\n\n";
  std::size_t width = 0;
  for (const std::string& pin : design.pins) width = std::max(width, pin.size());
  const std::size_t half = design.pins.size() / 2;
  AppendPinRow(out, design.pins, 0, half, width);
  AppendPinRow(out, design.pins, half, design.pins.size(), width);
  for (const DesignEquation& equation : design.equations) {
    out += "\n";
    AppendEquation(out, equation);
  }
  return out;
}

}  // namespace kem
