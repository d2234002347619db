#include "compiler/symbols.h"

#include <array>
#include <string>

#include "common/keywords.h"

namespace kem {

namespace {

struct Keyword {
  std::string_view name;
  int code;  // stored in the record's IO field; never read
};

// The operator records can never match an identifier; in effect the reserved words are the nine
// word keywords.
constexpr std::array<Keyword, kKeywordRecords> kKeywords = {{
    {kChipKeyword, 256},
    {"GAL16V8", 257},
    {"GAL20V8", 258},
    {"GAL22V10", 259},
    {"ispGAL22V10", 260},
    {kNcKeyword, 261},
    {"*", 265},
    {"&", 267},
    {"+", 268},
    {"|", 268},
    {"$", 270},
    {"/", 271},
    {"(", 272},
    {")", 273},
    {"SIMPLE_MODE", 274},
    {"COMPLEX_MODE", 275},
    {"REGISTERED_MODE", 276},
}};

}  // namespace

int InitSymbolTable(CompileRun& run, bool with_keywords) {
  run.pins.Reset(with_keywords ? kKeywordRecords + 1 : 1);
  if (!with_keywords) return 1;
  for (const Keyword& keyword : kKeywords) {
    if (!AddSymbol(run, keyword.name, -1, keyword.code, 0, -1, -1, -1)) return -1;
  }
  return 1;
}

int AddSymbol(CompileRun& run, std::string_view name, int pin_or_node, int io, int number, int pol,
              int reg, int trst) {
  PinRecord record{std::string(name), pin_or_node, io, number, trst, pol, reg};
  if (run.pins.Add(std::move(record))) return 1;
  run.diagnostics.ReportDiagnostic(Diag::E03, run.source.line());
  return 0;
}

}  // namespace kem
