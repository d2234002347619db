// Names in Verilog: a design's name as an identifier, and a scope's names kept apart.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace kem {

// The name as Verilog takes it: as it stands when it is a simple identifier and no keyword, else
// escaped ("\name "); empty when not even an escaped identifier can hold it (a blank, a byte
// outside printable ASCII).
std::string VerilogIdentifier(std::string_view name);

// The names of one scope: each name taken is new there.
class VerilogScope {
 public:
  // `wanted`, or with "_" appended until no name of the scope has it. `wanted` is an identifier.
  std::string Take(const std::string& wanted);
  bool Has(const std::string& name) const { return taken_.count(name) != 0; }

 private:
  std::set<std::string> taken_;
};

// `base` with `suffix` appended, as an identifier: an escaped base keeps its escape.
std::string VerilogDerived(const std::string& base, std::string_view suffix);

}  // namespace kem
