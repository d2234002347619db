// EmitEquation: the log line, the minimization, the polarity of the name, then the terms in the
// listing (.mds) and the intermediate file (.boo). `op` is "=" or, for a register, ":="; a term's
// literals come from the pin table's design records, variable v being record first + v.
#include "synthesis/emission.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/format.h"
#include "device/catalogue.h"
#include "synthesis/cube_words.h"
#include "synthesis/fit_notes.h"
#include "synthesis/synthesis_messages.h"

namespace kem {

namespace {

constexpr std::string_view kMinimizing = "Minimierung von %s";
constexpr std::string_view kTristateSuffix = ".TRST";

constexpr std::string_view kNextTerm = " +\n\t\t";

// The text of every literal as the first of its term and after another one, plain and
// complemented, each in a slot of one fixed width, so that copying a whole slot writes it.
class LiteralTexts {
 public:
  LiteralTexts(const PinTable& pins, int variables) {
    std::vector<std::string> texts;
    for (int v = 0; v < variables; ++v) {
      const std::string& name = pins.record(pins.first_design_record() + v).name;
      for (const char* prefix : {"", " /", " & ", " &  /"}) texts.push_back(prefix + name);
    }
    for (const std::string& t : texts) slot_ = std::max(slot_, (t.size() + 15) / 16 * 16);
    slots_.assign(texts.size() * slot_, ' ');
    for (std::size_t i = 0; i < texts.size(); ++i) {
      std::copy(texts[i].begin(), texts[i].end(),
                slots_.begin() + static_cast<std::ptrdiff_t>(i * slot_));
      lengths_.push_back(texts[i].size());
    }
    longest_term_ = static_cast<std::size_t>(variables) * slot_ + kNextTerm.size();
  }

  // Writes the text of variable v as `kind` (0 first, 2 later; +1 complemented) at `out`, which
  // has room for a whole slot; returns where the text ends.
  char* Append(char* out, int v, int kind) const {
    const std::size_t at = static_cast<std::size_t>(v) * 4 + static_cast<std::size_t>(kind);
    std::memcpy(out, slots_.data() + at * slot_, slot_);
    return out + lengths_[at];
  }
  // Room a term may take, its separator included.
  std::size_t longest_term() const { return longest_term_; }

 private:
  std::size_t slot_ = 16;
  std::vector<char> slots_;
  std::vector<std::size_t> lengths_;
  std::size_t longest_term_ = 0;
};

void WriteBoth(OutputFiles& outputs, std::string_view text) {
  WriteText(outputs.listing(), text);
  WriteText(outputs.intermediate(), text);
}

// The text of the terms, written to both files a piece at a time: a write per literal costs more
// than the minimization of a large equation, and holding the whole text would cost its memory.
class SharedText {
 public:
  explicit SharedText(OutputFiles& outputs) : outputs_(outputs) {}
  ~SharedText() { Flush(); }

  // Room for `bytes` more; write there, then Commit where the writing ended.
  char* Room(std::size_t bytes) {
    if (size_ + bytes > capacity_) {
      if (capacity_ >= kPiece) Flush();
      if (size_ + bytes > capacity_) Grow(std::max(size_ + bytes, 2 * capacity_));
    }
    return data_.get() + size_;
  }
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void Flush() {
    if (size_ > 0) WriteBoth(outputs_, {data_.get(), size_});
    size_ = 0;
  }

 private:
  static constexpr std::size_t kPiece = 256 * 1024;

  void Grow(std::size_t capacity) {
    std::unique_ptr<char[]> data(new char[capacity]);
    if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
  }

  OutputFiles& outputs_;
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

int TermLimitOf(const DesignValues& design, const PinRecord& output, int kind) {
  return kind == kTristateEquation
             ? OeTermLimit(design.Gal_Type, design.Gal_Mode, output.Number)
             : EquationTermLimit(design.Gal_Type, design.Gal_Mode, output.Number, output.Reg);
}

void CheckTermLimit(SynthesisContext& context, EmissionTarget target, const Minimized& minimized,
                    int terms, const PinRecord& output, int kind) {
  const int limit = TermLimitOf(target.design, output, kind);
  if (terms <= limit) return;
  context.diagnostics.ReportDiagnostic(kind == kTristateEquation ? Diag::E34 : Diag::E35, 0,
                                       output.name);
  if (kind == kOrdinaryEquation && minimized.advice)
    ReportFitNotes(context, target.pins, target.design, output, *minimized.advice, limit);
}

// The log lines of a cover that replaced the level's or whose minimum is not proven.
void LogHowItFits(SynthesisContext& context, const Minimized& minimized, const std::string& name,
                  int limit) {
  const int terms = minimized.terms();
  if (minimized.rescued_level >= 0) {
    context.log.AppendLogLine(
        FormatText(
            synthesis_messages::kRescued,
            {name, std::to_string(minimized.rescued_level), std::to_string(minimized.rescued_terms),
             std::to_string(limit), std::to_string(minimized.level), std::to_string(terms)}),
        false);
  }
  if (!minimized.proven && terms <= limit)
    context.log.AppendLogLine(
        FormatText(synthesis_messages::kNotProven, {name, std::to_string(terms)}), false);
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

  // Both files get the same terms; only the end of the last one differs.
  const VariableWords vars(cover.variables());
  const LiteralTexts literals(target.pins, cover.variables());
  {
    SharedText text(outputs);
    int written = 0;
    for (int row = 0; row <= minimized.last; ++row) {
      if (!cover.IsTerm(row)) continue;
      char* out = text.Room(literals.longest_term());
      // No marker is set here, so the fields read as they are stored: only the literals are
      // visited, a word at a time.
      int after_first = 0;  // 2 once a literal is written
      const std::uint32_t* body = cover.Row(row);
      for (int w = 0; w < vars.count; ++w) {
        const std::uint32_t word = body[w] & vars.Mask(w);
        for (std::uint32_t fields = FieldsNonZero(word); fields != 0; fields &= fields - 1) {
          const int field = std::countr_zero(fields);
          const int code = static_cast<int>((word >> field) & 3u);
          if (code != kCodeTrue && code != kCodeComplement) continue;
          out = literals.Append(out, w * kFieldsPerWord + field / 2,
                                after_first + (code == kCodeComplement ? 1 : 0));
          after_first = 2;
        }
      }
      if (++written < terms) out = std::copy_n(kNextTerm.data(), kNextTerm.size(), out);
      text.Commit(out);
    }
  }
  WriteText(outputs.listing(), ";\n");
  WriteText(outputs.intermediate(), "\n\t\t");
  CheckTermLimit(context, target, minimized, terms, output, kind);
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
  const int limit = TermLimitOf(target.design, output, kind);
  Minimized minimized;
  if (!MinimizeEquation(context, pool, tree, map, allow_complement, minimized, limit)) return -1;
  LogHowItFits(context, minimized, name_text, limit);
  if (kind == kOrdinaryEquation && output.Pin_or_Node == kPin)
    context.written_terms[output.Number] = minimized.terms();

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
