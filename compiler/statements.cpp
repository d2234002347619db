#include "compiler/statements.h"

#include <string>
#include <string_view>

#include "common/keywords.h"
#include "compiler/expressions.h"
#include "device/catalogue.h"

namespace kem {

namespace {

bool IsDesignRecord(const CompileRun& run, int record) {
  return record >= run.pins.first_design_record() && record <= run.pins.count();
}

int ClassOf(const CompileRun& run, const PinRecord& r) {
  return PinClass(run.design.Gal_Type, run.design.Gal_Mode, r.Number);
}

bool FeedbackOf(const CompileRun& run, const PinRecord& r) {
  return HasFeedback(run.design.Gal_Type, run.design.Gal_Mode, r.Number) == 1;
}

// Reads a word after "#"; a word that could not be scanned is no directive.
std::string ScanDirective(CompileRun& run) {
  std::string word;
  if (!run.scanner.ScanIdentifier(word)) word.clear();
  return word;
}

void SkipStatement(CompileRun& run) {
  run.scanner.SkipText(SkipMode::kPastSeparator);
}

int CheckOutputUse(CompileRun& run, PinRecord& r, int pin_class) {
  if (pin_class != kPinInputOutput && pin_class != kPinOutput && pin_class != kPinOutputOrInput) {
    run.Report(Diag::E26, r.name);
    return 0;
  }
  if (r.Pin_or_Node == kNode && r.Pol == 0) {
    run.Report(Diag::E36);
    return 0;
  }
  switch (r.IO) {
    case kIoUnused:
      r.IO = kIoOutput;
      return 1;
    case kIoOutput:
    case kIoOutputReadBack:
      run.Report(Diag::E24, r.name);
      return 0;
    case kIoInput:
      if (pin_class == kPinInputOutput || FeedbackOf(run, r)) {
        r.IO = kIoOutputReadBack;
        return 1;
      }
      run.Report(Diag::E25, r.name);
      return 0;
    default:
      return 1;
  }
}

int CheckTristateUse(CompileRun& run, PinRecord& r) {
  if (r.Trst == 1) {
    run.Report(Diag::E32);
    return 0;
  }
  if (!OeAllowed(run.design.Gal_Type, run.design.Gal_Mode, r.Number)) {
    run.Report(Diag::E31);
    return 0;
  }
  r.Trst = 1;
  return 1;
}

int CheckInputUse(CompileRun& run, PinRecord& r, int pin_class) {
  if (pin_class == kPinInput || pin_class == kPinInputOutput || pin_class == kPinOutputOrInput) {
    if (r.IO == kIoUnused) {
      r.IO = kIoInput;
    } else if (r.IO == kIoOutput && pin_class == kPinInputOutput) {
      r.IO = kIoOutputReadBack;
    } else if (r.IO == kIoOutput && pin_class == kPinOutputOrInput) {
      if (!FeedbackOf(run, r)) {
        run.Report(Diag::E27, r.name);
        return 0;
      }
      r.IO = kIoOutputReadBack;
    }
    return 1;
  }
  if (pin_class == kPinOutput && FeedbackOf(run, r)) {
    r.IO = r.IO == kIoOutput || r.IO == kIoOutputReadBack ? kIoOutputReadBack : kIoInput;
    return 1;
  }
  run.Report(Diag::E28, r.name);
  return 0;
}

// assignment = (":=" | "=") expression ";"
NodeRef ParseAssignment(CompileRun& run, int record) {
  PinRecord& r = run.pins.record(record);
  run.scanner.SkipText(SkipMode::kBlanks);
  const int c = run.source.Get();
  if (c == ':') {
    if (run.source.Get() != '=') {
      run.Report(Diag::E14);
      return kNoNode;
    }
    if (run.design.Gal_Mode == kRegisteredMode)
      r.Reg = 1;
    else
      run.Report(Diag::E29);  // emitted as a combinational equation
  } else if (c == '=') {
    r.Reg = 0;
  } else {
    run.Report(Diag::E15);
    return kNoNode;
  }
  run.scanner.SkipText(SkipMode::kBlanks);
  const NodeRef tree = ParseExpression(run);
  if (tree == kNoNode) return kNoNode;
  run.scanner.ExpectSemicolon();
  return tree;
}

// tristate = "TRST" "=" expression ";", read behind the "."
int ParseTristate(CompileRun& run, int record) {
  const int line = run.source.line();
  std::string word;
  if (!run.scanner.ScanIdentifier(word) || word != kTrstKeyword) {
    run.Report(Diag::E30);
    SkipStatement(run);
    return 0;
  }
  run.scanner.SkipText(SkipMode::kBlanks);
  if (run.source.Get() != '=') {
    // The separator stays; the expression then fails at it.
    run.Report(Diag::E14);
    run.scanner.SkipText(SkipMode::kToSeparator);
  }
  const NodeRef tree = ParseExpression(run);
  if (tree == kNoNode) {
    SkipStatement(run);
    return 0;
  }
  if (EmitEquation(run.synthesis, run.nodes, run.emission_target(), tree, record,
                   kTristateEquation) < 0)
    return -1;
  run.tristate_lines[record] = line;
  run.scanner.ExpectSemicolon();
  return 1;
}

// A directive after the statement: ENDNOMIN ends the region; a NOMIN belongs to the next statement.
void ParseDirectiveAfter(CompileRun& run) {
  run.scanner.SkipText(SkipMode::kBlanks);
  const SourceText::Mark mark = run.source.MarkPosition();
  const int c = run.source.Get();
  if (c != '#') {
    run.source.Unget(c);
    return;
  }
  const std::string word = ScanDirective(run);
  if (word == kEndNoMinKeyword)
    run.synthesis.minimization_flag = 1;
  else if (word == kNoMinKeyword)
    run.source.ReturnTo(mark);
  else
    run.Report(Diag::E18);
}

}  // namespace

int CheckPinUse(CompileRun& run, int record, PinUse use) {
  if (!IsDesignRecord(run, record)) {
    run.Report(record == 0 ? Diag::E19 : Diag::E08);
    return 0;
  }
  PinRecord& r = run.pins.record(record);
  const int pin_class = ClassOf(run, r);
  if (pin_class == kPinFixed) {
    run.Report(Diag::E23, r.name);
    return 0;
  }
  switch (use) {
    case PinUse::kOutput:
      return CheckOutputUse(run, r, pin_class);
    case PinUse::kTristate:
      return CheckTristateUse(run, r);
    case PinUse::kInput:
      return CheckInputUse(run, r, pin_class);
  }
  return 0;
}

int ParseStatement(CompileRun& run) {
  Scanner& scanner = run.scanner;
  int polarity = 1;

  scanner.SkipText(SkipMode::kBlanks);
  int c = run.source.Get();
  if (c == '/') {
    polarity = 0;
  } else if (c == '#') {
    if (ScanDirective(run) == kNoMinKeyword) {
      run.synthesis.minimization_flag = 0;
      scanner.SkipText(SkipMode::kBlanks);
      c = run.source.Get();
      if (c == '/')
        polarity = 0;
      else
        run.source.Unget(c);
    } else {
      run.Report(Diag::E18);
    }
  } else {
    run.source.Unget(c);
  }

  scanner.SkipText(SkipMode::kBlanks);
  std::string target;
  if (!scanner.ScanIdentifier(target)) return -2;
  const int record = run.pins.LookupSymbol(target);
  const SourceText::Mark behind_target = run.source.MarkPosition();
  scanner.SkipText(SkipMode::kBlanks);
  const int op = run.source.Get();

  if (op == '.') {
    if (polarity == 0) {
      run.Report(Diag::E36);
      SkipStatement(run);
    } else if (!CheckPinUse(run, record, PinUse::kTristate)) {
      SkipStatement(run);
    } else if (ParseTristate(run, record) < 0) {
      return -1;
    }
  } else if (op == ':' || op == '=') {
    // The polarity is recorded before the check, also when the check then refuses.
    if (IsDesignRecord(run, record)) run.pins.record(record).Pol = polarity;
    if (!CheckPinUse(run, record, PinUse::kOutput)) {
      run.Report(Diag::E13);
      SkipStatement(run);
    } else {
      run.source.ReturnTo(behind_target);
      NodeRef tree = op == '=' ? ParseConstant(run) : kNoNode;
      if (tree == kNoNode) tree = ParseAssignment(run, record);
      if (tree == kNoNode) {
        SkipStatement(run);
        return 0;
      }
      if (EmitEquation(run.synthesis, run.nodes, run.emission_target(), tree, record,
                       kOrdinaryEquation) < 0)
        return -1;
    }
  } else {
    // Any other character after the target: the statement is reported, then passed over up to its
    // separator. A target followed directly by ";" has already ended: skipping on would swallow
    // the next statement.
    run.Report(Diag::E15);
    if (op != ';') SkipStatement(run);
  }

  ParseDirectiveAfter(run);
  return 1;
}

void CheckFeedback(CompileRun& run) {
  for (int i = run.pins.first_design_record(); i <= run.pins.count(); ++i) {
    const PinRecord& r = run.pins.record(i);
    if (ClassOf(run, r) == kPinOutput && r.IO == kIoInput)
      run.diagnostics.ReportDiagnostic(Diag::E33, 0, r.name);
  }
}

void CheckTristateTargets(CompileRun& run) {
  for (const auto& [record, line] : run.tristate_lines) {
    const int io = run.pins.record(record).IO;
    if (io != kIoOutput && io != kIoOutputReadBack)
      run.diagnostics.ReportDiagnostic(Diag::E31, line);
  }
}

}  // namespace kem
