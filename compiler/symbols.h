// The compiler's view of the pin table: the keyword records in front, and adding records with the
// table's capacity checked.
#pragma once

#include <string_view>

#include "compiler/compile_run.h"

namespace kem {

inline constexpr int kKeywordRecords = 17;

// 1, or -1 when a keyword record could not be added. With keywords the design records start at 18;
// without, at 1.
int InitSymbolTable(CompileRun& run, bool with_keywords);

// 1 when the record was appended; 0 after E03 when the table is full.
int AddSymbol(CompileRun& run, std::string_view name, int pin_or_node, int io, int number, int pol,
              int reg, int trst);

}  // namespace kem
