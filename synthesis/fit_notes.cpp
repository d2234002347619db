// ReportFitNotes. The terms needed are those of the polarity that may be written with fewer; a
// pin has room when its rows in the design's mode hold them, and it is free (no signal of the
// design) or lightly used (an output already written whose terms this output's pin holds, so the
// two can change places).
#include "synthesis/fit_notes.h"

#include <algorithm>
#include <string>

#include "common/format.h"
#include "device/catalogue.h"
#include "synthesis/synthesis_messages.h"

namespace kem {

namespace {

void Note(SynthesisContext& context, const std::string& text) {
  context.log.AppendLogLine(text, false);
  context.notes.push_back({context.diagnostics.entries().size(), text});
}

const PinRecord* DesignPin(const PinTable& pins, int number) {
  for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
    const PinRecord& r = pins.record(i);
    if (r.Pin_or_Node == kPin && r.Number == number && (IsOutput(r) || IsReadable(r))) return &r;
  }
  return nullptr;
}

std::string PinsWithRoom(const SynthesisContext& context, const PinTable& pins,
                         const DesignValues& design, const PinRecord& output, int needed,
                         int limit) {
  std::string list;
  for (int p = 1; p <= PinCount(design.Gal_Type); ++p) {
    if (p == output.Number ||
        EquationTermLimit(design.Gal_Type, design.Gal_Mode, p, output.Reg) < needed)
      continue;
    const PinRecord* used = DesignPin(pins, p);
    std::string item;
    if (used == nullptr) {
      item = FormatText(synthesis_messages::kFreePin, {std::to_string(p)});
    } else {
      const auto written = context.written_terms.find(p);
      if (written == context.written_terms.end() || written->second > limit) continue;
      item = FormatText(synthesis_messages::kLightlyUsedPin,
                        {std::to_string(p), used->name, std::to_string(written->second)});
    }
    list += (list.empty() ? "" : ", ") + item;
  }
  return list;
}

}  // namespace

void ReportFitNotes(SynthesisContext& context, const PinTable& pins, const DesignValues& design,
                    const PinRecord& output, const FitAdvice& advice, int limit) {
  // Where the complement may be written, the minimizer has weighed it already.
  const bool take_complement =
      output.Pin_or_Node != kNode && output.Reg != 1 && advice.complement_terms < advice.terms;
  const int terms = take_complement ? advice.complement_terms : advice.terms;
  const MinimalOutcome& outcome = take_complement ? advice.complement_outcome : advice.outcome;
  const std::string number = FormatText(
      output.Pin_or_Node == kNode ? synthesis_messages::kNodePlace : synthesis_messages::kPinPlace,
      {std::to_string(output.Number)});
  const std::string rows = std::to_string(limit);
  if (outcome.minimum) {
    Note(context, FormatText(synthesis_messages::kNeedsProven,
                             {output.name, std::to_string(terms), number, rows}));
  } else {
    Note(context, FormatText(synthesis_messages::kNeedsFound,
                             {output.name, std::to_string(outcome.lower_bound),
                              std::to_string(terms), number, rows}));
  }
  if (output.Pin_or_Node == kPin) {
    const std::string list = PinsWithRoom(context, pins, design, output, terms, limit);
    Note(context, list.empty() ? std::string(synthesis_messages::kNoPinWithRoom)
                               : FormatText(synthesis_messages::kPinsWithRoom, {list}));
  }
  // A node is never written for its complement.
  if (output.Pin_or_Node == kNode) return;
  const std::string complement = std::to_string(advice.complement_terms);
  if (advice.complement_terms > limit)
    Note(context, FormatText(synthesis_messages::kComplementTooLarge, {complement}));
  else
    Note(context, FormatText(synthesis_messages::kComplementFits, {complement, output.name}));
}

}  // namespace kem
