#include "synthesis/emission.h"

#include <bit>
#include <string>

#include "common/format.h"
#include "device/catalogue.h"
#include "synthesis/cube_words.h"

namespace kem {

namespace {

constexpr std::string_view kMinimizing = "Minimierung von %s";
constexpr std::string_view kTristateSuffix = ".TRST";

void WriteBoth(OutputFiles& outputs, std::string_view text) {
  WriteText(outputs.listing(), text);
  WriteText(outputs.intermediate(), text);
}

void CheckTermLimit(SynthesisContext& context, const DesignValues& design, int terms,
                    const PinRecord& output, int kind) {
  if (kind == kTristateEquation) {
    if (terms > OeTermLimit(design.Gal_Type, design.Gal_Mode, output.Number))
      context.diagnostics.ReportDiagnostic(Diag::E34, 0, output.name);
    return;
  }
  const int limit = output.Reg == 1 ? RegTermLimit(design.Gal_Type, design.Gal_Mode, output.Number)
                                    : TermLimit(design.Gal_Type, design.Gal_Mode, output.Number);
  if (terms > limit) context.diagnostics.ReportDiagnostic(Diag::E35, 0, output.name);
}

void WriteTerms(SynthesisContext& context, EmissionTarget target, Minimized& minimized,
                const PinRecord& output, int kind) {
  Cover& cover = minimized.cover;
  OutputFiles& outputs = target.outputs;
  const int terms = cover.CountTerms(minimized.last);
  const int marker = cover.ConstantMarker();
  // A constant equation is not held against the term limit.
  if (marker == kMarkerZero || (marker == 0 && terms == 0)) {
    WriteText(outputs.listing(), "GND;\n");
    WriteText(outputs.intermediate(), "GND\t\t; 1\n");
    return;
  }
  if (marker == kMarkerOne) {
    WriteText(outputs.listing(), "VCC;\n");
    WriteText(outputs.intermediate(), "VCC\t\t; 1\n");
    return;
  }

  // The terms are gathered and written in one piece per file: a write per literal costs more
  // than the minimization of a large equation.
  const PinTable& pins = target.pins;
  const VariableWords vars(cover.variables());
  std::string listing;
  std::string intermediate;
  auto both = [&](std::string_view text) {
    listing += text;
    intermediate += text;
  };
  int written = 0;
  for (int row = 0; row <= minimized.last; ++row) {
    if (!cover.IsTerm(row)) continue;
    // No marker is set here, so the fields read as they are stored: only the literals are
    // visited, a word at a time.
    bool first_literal = true;
    const std::uint32_t* body = cover.Row(row);
    for (int w = 0; w < vars.count; ++w) {
      const std::uint32_t word = body[w] & vars.Mask(w);
      for (std::uint32_t fields = FieldsNonZero(word); fields != 0; fields &= fields - 1) {
        const int field = std::countr_zero(fields);
        const int code = static_cast<int>((word >> field) & 3u);
        if (code != kCodeTrue && code != kCodeComplement) continue;
        if (!first_literal) both(" & ");
        if (code == kCodeComplement) both(" /");
        both(pins.record(pins.first_design_record() + w * kFieldsPerWord + field / 2).name);
        first_literal = false;
      }
    }
    if (++written < terms)
      both(" +\n\t\t");
    else
      intermediate += "\n\t\t";
  }
  listing += ";\n";
  WriteText(outputs.listing(), listing);
  WriteText(outputs.intermediate(), intermediate);
  CheckTermLimit(context, target.design, terms, output, kind);
  WriteText(outputs.intermediate(), FormatText("\t\t; %d \n", {std::to_string(terms)}));
}

}  // namespace

int EmitEquation(SynthesisContext& context, NodePool& pool, EmissionTarget target, NodeRef tree,
                 int record, int kind) {
  PinRecord& output = target.pins.record(record);
  const std::string name_text =
      kind == kTristateEquation ? output.name + std::string(kTristateSuffix) : output.name;
  const std::string_view op = kind == kTristateEquation || output.Reg != 1 ? "=" : ":=";
  context.log.AppendLogLine(FormatText(kMinimizing, {name_text}), false);

  // A register keeps the function as written, so that its state after power-up, reset and preset
  // is the one the source says; only a combinational output may take its complement.
  const bool allow_complement =
      kind == kOrdinaryEquation && output.Pin_or_Node != kNode && output.Reg != 1;
  const VariableMap map{target.pins.first_design_record(), target.pins.design_record_count()};
  Minimized minimized;
  if (!MinimizeEquation(context, pool, tree, map, allow_complement, minimized)) return -1;

  // The name is negated when exactly one of "the cover is the function" and "Pol is 1" holds.
  bool negated = false;
  if (kind == kOrdinaryEquation) {
    negated = (minimized.polarity == kPolarityFunction) != (output.Pol == 1);
    output.Pol = negated ? 0 : 1;
  }
  WriteBoth(target.outputs, FormatText(negated ? "/%s %s " : "%s %s ", {name_text, op}));
  WriteTerms(context, target, minimized, output, kind);
  return 1;
}

}  // namespace kem
