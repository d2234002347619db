// A design as an import reads it from another tool's source, before it becomes text in our
// language: the device, the source's pin names and its equations over them. Turning it into our
// design is one step for every source language, so the mode is chosen, the fixed pins are named
// and the device's limits are checked in one place.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interchange/design_text.h"
#include "interchange/import_report.h"
#include "interchange/logic_expression.h"

namespace kem {

struct ImportedEquation {
  int line = 0;
  std::vector<std::string> comment;
  int pin = 0;
  bool registered = false;
  bool negated = false;   // the right side gives the pin's low level
  bool tristate = false;  // declared with an output enable, given or not
  Expression value;       // over the source's pin names, each standing for its pin's level
  std::optional<Expression> enable;
  int enable_line = 0;
};

// An asynchronous reset or synchronous preset term of the GAL22V10 family.
struct ImportedTerm {
  int line = 0;
  Expression value;
};

struct ImportedDesign {
  std::string_view language;  // the language's name for the origin line
  std::vector<std::string> heading;
  std::string name;
  int gal_type = -1;
  int mode = 0;  // 0: chosen from the equations as the source's tools choose it
  std::string user_id;
  int user_id_line = 0;
  std::vector<std::string> pin_names;  // by pin number - 1; empty where the source names none
  std::vector<ImportedEquation> equations;
  std::optional<ImportedTerm> reset;
  std::optional<ImportedTerm> preset;
};

// Our design, or nothing when an error was reported; notes say what was chosen.
std::optional<DesignText> ToDesignText(const ImportedDesign& design, ImportReport& report);

// An identifier of our language: a letter or "_" first, then letters, digits and single "_"
// between them, at most 32 characters.
bool IsOurIdentifier(std::string_view text);

}  // namespace kem
