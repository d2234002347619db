// The run state of one compilation: everything a compilation reads and changes, in one object that
// the driver creates for the run and hands to its caller afterwards.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/allocation.h"
#include "common/diagnostics.h"
#include "compiler/compile_host.h"
#include "compiler/scanner.h"
#include "compiler/source_text.h"
#include "device/fitter.h"
#include "device/intermediate_files.h"
#include "device/pin_table.h"
#include "synthesis/emission.h"
#include "synthesis/expression_tree.h"
#include "synthesis/synthesis_context.h"

namespace kem {

struct CompileOptions {
  int minimization_level = kDefaultMinimizationLevel;  // one of synthesis/levels.h
  std::size_t memory_budget = kDefaultMemoryBudget;
  StepTimer* step_timer = nullptr;  // told how long each minimizer step takes, when set
};

struct CompileRun {
  CompileRun(const CompileOptions& options, CompileHost& host)
      : options(options), host(host), budget(options.memory_budget) {
    synthesis.level = options.minimization_level;
    synthesis.step_timer = options.step_timer;
  }

  MessageLog& log() { return host.Log(); }
  void Report(Diag id, std::string_view argument = {}) { scanner.Report(id, argument); }
  int CompileAborted() const { return kem::CompileAborted(diagnostics.counts()); }
  int CompileClean() const { return kem::CompileClean(diagnostics.counts()); }

  CompileOptions options;
  CompileHost& host;
  AllocationBudget budget;

  SourceText source;           // its line counter is the run's
  BudgetCharge source_charge;  // the source text counts against the budget while it is parsed
  Diagnostics diagnostics;
  // Whether this run's error file took its name; when it did not, a file of that name is an
  // earlier run's.
  bool error_file_created = false;
  // Whether the source was something other than a regular file: its diagnostic went to the log
  // only, and nothing was written beside it.
  bool source_not_a_file = false;
  Scanner scanner{source, diagnostics};
  ThrottledProgress progress{host.Log()};  // the minimizer's ticks, rate-limited for the log
  // With the minimization flag.
  SynthesisContext synthesis{budget, diagnostics, host.Log(), progress};

  NodePool nodes;
  int group_depth = 0;  // parenthesised groups open while an expression is parsed
  // Operator nodes of the chains being parsed that wait for their right operands; each chain
  // works above the entries of the chains it is nested in.
  std::vector<NodeRef> waiting_operators;
  std::map<int, int> tristate_lines;  // record of each written TRST equation -> its line
  PinTable pins;
  DesignValues design;
  OutputFiles outputs;
  std::optional<FitOutcome> fit;       // the fit that followed the compilation, when one ran
  std::optional<FittedDesign> fitted;  // the fit's result, when it succeeded

  EmissionTarget emission_target() { return {pins, design, outputs}; }
};

}  // namespace kem
