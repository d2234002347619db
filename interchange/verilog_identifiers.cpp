#include "interchange/verilog_identifiers.h"

#include <algorithm>
#include <cctype>

namespace kem {

namespace {

// The keywords of Verilog-2005, and those of SystemVerilog that a model is likely to meet when it
// is read by a newer tool, each between blanks.
constexpr std::string_view kKeywords =
    " always and assign automatic begin buf bufif0 bufif1 case casex casez cell cmos config "
    "deassign default defparam design disable edge else end endcase endconfig endfunction "
    "endgenerate endmodule endprimitive endspecify endtable endtask event for force forever "
    "fork function generate genvar highz0 highz1 if ifnone incdir include initial inout input "
    "instance integer join large liblist library localparam macromodule medium module nand "
    "negedge nmos nor noshowcancelled not notif0 notif1 or output parameter pmos posedge "
    "primitive pull0 pull1 pulldown pullup pulsestyle_onevent pulsestyle_ondetect rcmos real "
    "realtime reg release repeat rnmos rpmos rtran rtranif0 rtranif1 scalared showcancelled "
    "signed small specify specparam strong0 strong1 supply0 supply1 table task time tran "
    "tranif0 tranif1 tri tri0 tri1 triand trior trireg unsigned use uwire vectored wait wand "
    "weak0 weak1 while wire wor xnor xor bit byte int logic shortint longint string type void "
    "enum struct union typedef class interface package program property sequence assert chandle ";

bool IsSimple(std::string_view name) {
  if (name.empty()) return false;
  const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (!letter(name[0]) && name[0] != '_') return false;
  return std::all_of(name.begin(), name.end(),
                     [&](char c) { return letter(c) || digit(c) || c == '_' || c == '$'; });
}

bool IsEscaped(std::string_view name) {
  return !name.empty() && name.front() == '\\';
}

}  // namespace

std::string VerilogIdentifier(std::string_view name) {
  const bool keyword = kKeywords.find(" " + std::string(name) + " ") != std::string_view::npos;
  if (IsSimple(name) && !keyword) return std::string(name);
  const bool printable = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7F;
  });
  return printable ? "\\" + std::string(name) + " " : std::string();
}

std::string VerilogDerived(const std::string& base, std::string_view suffix) {
  if (!IsEscaped(base)) return base + std::string(suffix);
  return base.substr(0, base.size() - 1) + std::string(suffix) + " ";
}

std::string VerilogScope::Take(const std::string& wanted) {
  std::string name = wanted;
  while (taken_.count(name) != 0) name = VerilogDerived(name, "_");
  taken_.insert(name);
  return name;
}

}  // namespace kem
