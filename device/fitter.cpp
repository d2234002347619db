// The equation parser of the fitter reads the intermediate file as white-space separated tokens
// in a small state machine; each token either sets cells of the fuse map or moves to the next
// state, and any token the state does not expect fails the fit. States: 0 and 6 an equation or
// the symbol table (6 after a finished equation), 1 the operator, 3 the first literal or a
// constant, 2 after a literal, 4 a literal after "&", 5 a literal after "+", 7 and 8 the ";" after
// GND and VCC.
#include "device/fitter.h"

#include <new>
#include <set>
#include <sstream>

#include "common/allocation.h"
#include "common/diagnostics.h"
#include "common/error_file_lines.h"
#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/internal_check.h"
#include "common/names.h"
#include "common/output_file.h"
#include "device/catalogue.h"
#include "device/fitter_messages.h"
#include "device/intermediate_files.h"
#include "device/jedec_writer.h"

namespace kem {

namespace {

constexpr std::string_view kTrstSuffix = ".TRST";
constexpr int kFail = -1;
constexpr int kEnd = -2;

// Sets the cells of one design's equations. pin_: the current output's pin number; row_: the
// row the next literal goes to; term_: the index of the current product term of the output;
// trst_: whether the current equation is an output-enable one, which has a single term.
class EquationParser {
 public:
  EquationParser(const DesignValues& design, const PinTable& pins, FuseMap& map)
      : design_(design), pins_(pins), map_(map) {}

  // 1 when every equation up to the symbol table fits, else 0.
  int Parse(std::istream& in) {
    std::string token;
    int state = 0;
    while (state >= 0) {
      if (!NextToken(in, token)) return 0;
      state = Step(state, token, in);
    }
    return state == kEnd && EveryEnableWritten() ? 1 : 0;
  }

 private:
  int Step(int state, const std::string& token, std::istream& in) {
    bool negated = false;
    switch (state) {
      case 0:
      case 6:
        if (token == kSymbolTableMarker) return kEnd;
        if (const PinRecord* r = FindRecord(token, IsOutput, &negated))
          return StartOutputEquation(*r, negated) ? 1 : kFail;
        if (const PinRecord* r = FindTrstOutput(token)) return StartTrstEquation(*r) ? 1 : kFail;
        return kFail;
      case 1:
        return token == operator_ ? 3 : kFail;
      case 3:
        if (FindRecord(token, IsReadable, nullptr)) return SetLiteral(token) ? 2 : kFail;
        if (token == "VCC") return 8;  // the row stays all '0' and turns all '1'
        if (token == "GND") {
          for (int column = 0; column < kMapColumns; ++column) RowCell(column) = '1';
          return 7;
        }
        return kFail;
      case 2:
        if (token == "&") return 4;
        if (token == "+") return NextProductTerm() ? 5 : kFail;
        if (token == ";") return DiscardTermCount(in) ? 6 : kFail;
        return kFail;
      case 4:
      case 5:
        return SetLiteral(token) ? 2 : kFail;
      case 7:
      case 8:
        return token == ";" && DiscardTermCount(in) ? 6 : kFail;
      default:
        return kFail;
    }
  }

  // The first design record named by `token`, itself or (with a leading "/") negated, whose IO
  // passes `in_set`.
  const PinRecord* FindRecord(std::string_view token, bool (*in_set)(const PinRecord&),
                              bool* negated) const {
    const bool slash = !token.empty() && token.front() == '/';
    for (int i = pins_.first_design_record(); i <= pins_.count(); ++i) {
      const PinRecord& r = pins_.record(i);
      const bool plain = r.name == token;
      if (!plain && !(slash && r.name == token.substr(1))) continue;
      if (!in_set(r)) continue;
      if (negated) *negated = !plain;
      return &r;
    }
    return nullptr;
  }

  const PinRecord* FindTrstOutput(std::string_view token) const {
    if (token.size() <= kTrstSuffix.size() || !token.ends_with(kTrstSuffix)) return nullptr;
    const std::string_view name = token.substr(0, token.size() - kTrstSuffix.size());
    for (int i = pins_.first_design_record(); i <= pins_.count(); ++i) {
      const PinRecord& r = pins_.record(i);
      if (r.name == name && IsOutput(r)) return &r;
    }
    return nullptr;
  }

  // The cell of the current equation's row in `column`. The row is one that UseRow took and the
  // column one the catalogue gives: outside the array only through a fault of the fitter.
  char& RowCell(int column) {
    KEM_CHECK(row_ >= 0 && row_ < kMapRows && column >= 0 && column < kMapColumns);
    return map_[ArrayCell(row_, column)];
  }

  // The architecture cells of macrocell `index`, which comes from the catalogue's tables.
  char& MacrocellCell(int cell) {
    KEM_CHECK(cell >= kArchitectureCells && cell < kTermEnableCells);
    return map_[cell];
  }

  bool UseRow(int row) {
    if (row < 0 || row >= kMapRows) return false;
    row_ = row;
    map_.set_row_used(row);
    return true;
  }

  // A second equation for an output would be merged into the first one's rows: the chip would
  // compute neither. The cells come from the record, so the slash on the target, the operator
  // and the number of terms must agree with it.
  bool StartOutputEquation(const PinRecord& r, bool negated) {
    if (!defined_.insert(r.Number).second) return false;
    if (negated != (r.Pol == 0)) return false;
    pin_ = r.Number;
    term_ = 0;
    term_limit_ = EquationTermLimit(design_.Gal_Type, design_.Gal_Mode, pin_, r.Reg);
    if (term_limit_ < 1) return false;
    operator_ = r.Reg == 1 ? ":=" : "=";
    trst_ = false;
    if (!UseRow(TermRow(design_.Gal_Type, pin_, 0))) return false;
    const int polarity = OlmcIndex(design_.Gal_Type, pin_, 0);
    if (polarity >= 0) MacrocellCell(PolarityCell(polarity)) = r.Pol == 1 ? '1' : '0';
    const int mode = OlmcIndex(design_.Gal_Type, pin_, 1);
    if (mode >= 0) MacrocellCell(ModeCell(mode)) = RegisteredMacrocell(r) ? '0' : '1';
    // An output without an output-enable equation is always enabled: its row, used and empty,
    // turns all '1' when the rows are inverted.
    const int oe_row = OeRow(design_.Gal_Type, design_.Gal_Mode, pin_);
    if (oe_row >= 0 && r.Trst == -1) map_.set_row_used(oe_row);
    return true;
  }

  // On the GAL22V10 family the mode cell selects the register alone; on the GAL16V8 and GAL20V8
  // it is also '0' for every output in simple mode.
  bool RegisteredMacrocell(const PinRecord& r) const {
    const bool eight_macrocells = design_.Gal_Type == kGal16V8 || design_.Gal_Type == kGal20V8;
    return r.Reg == 1 || (eight_macrocells && design_.Gal_Mode == kSimpleMode);
  }

  // Without `Trst` 1 the output-enable row is already taken as always true.
  bool StartTrstEquation(const PinRecord& r) {
    if (r.Trst != 1 || !enabled_.insert(r.Number).second) return false;
    pin_ = r.Number;
    operator_ = "=";
    trst_ = true;
    return UseRow(OeRow(design_.Gal_Type, design_.Gal_Mode, pin_));
  }

  // Past the output's limit in this mode a term would land on a row that serves another purpose
  // (in registered mode the first row of a combinational output's block is its output enable).
  bool NextProductTerm() {
    if (trst_) return false;  // an output enable has one product term
    if (++term_ >= term_limit_) return false;
    return UseRow(TermRow(design_.Gal_Type, pin_, term_));
  }

  bool SetLiteral(std::string_view token) {
    bool negated = false;
    const PinRecord* r = FindRecord(token, IsReadable, &negated);
    if (r == nullptr) return false;
    // A register on the GAL22V10 family is read back before its polarity cell, so a registered
    // signal written for itself lies on the exchanged column pair.
    const int registered = r->Reg == 1 && r->Pol == 1 ? 1 : 0;
    const int column =
        InputColumn(design_.Gal_Type, design_.Gal_Mode, r->Number, negated ? 1 : 0, registered);
    if (column < 0 || column >= kMapColumns) return false;
    RowCell(column) = '1';
    return true;
  }

  // An output whose record promises an output-enable equation and has none would never drive.
  bool EveryEnableWritten() const {
    for (int i = pins_.first_design_record(); i <= pins_.count(); ++i) {
      const PinRecord& r = pins_.record(i);
      if (IsOutput(r) && r.Trst == 1 && !enabled_.contains(r.Number)) return false;
    }
    return true;
  }

  static bool DiscardTermCount(std::istream& in) {
    std::string ignored;
    return NextToken(in, ignored);
  }

  const DesignValues& design_;
  const PinTable& pins_;
  FuseMap& map_;
  int pin_ = 0;
  int row_ = 0;
  int term_ = 0;
  int term_limit_ = 0;
  bool trst_ = false;
  std::string_view operator_;  // the one the current equation's record allows
  std::set<int> defined_;      // pins that have their equation
  std::set<int> enabled_;      // pins that have their output-enable equation
};

// Global mode cells, row inversion and user ID, after the last equation.
void FinishFuseMap(const DesignValues& design, const PinTable& pins, FuseMap& map) {
  if (design.Gal_Type == kGal16V8 || design.Gal_Type == kGal20V8) {
    if (design.Gal_Mode == kSimpleMode) {
      map[kSynCell] = '1';
      map[kAc0Cell] = '0';
    } else if (design.Gal_Mode == kComplexMode) {
      map[kSynCell] = '1';
      map[kAc0Cell] = '1';
    } else {
      map[kSynCell] = '0';
      map[kAc0Cell] = '1';
      // Combinational outputs in registered mode take their output enable from the first row of
      // their block, the complex-mode output-enable row: make it always true.
      for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
        const PinRecord& r = pins.record(i);
        if (!IsOutput(r) || r.Reg == 1) continue;
        const int oe_row = OeRow(design.Gal_Type, kComplexMode, r.Number);
        if (oe_row >= 0) map.set_row_used(oe_row);
      }
    }
  }

  // Cells were set where a literal connects; the devices want '0' there and '1' elsewhere.
  for (int row = 0; row < kMapRows; ++row) {
    if (!map.row_used(row)) continue;
    for (int column = 0; column < kMapColumns; ++column) {
      char& cell = map[ArrayCell(row, column)];
      cell = cell == '0' ? '1' : '0';
    }
  }

  if (design.user_id.empty()) return;
  const int bytes = UesBytes(design.Gal_Type);
  for (int i = 0; i < bytes; ++i) {
    const unsigned byte = i < static_cast<int>(design.user_id.size())
                              ? static_cast<unsigned char>(design.user_id[i])
                              : 0u;
    for (int j = 0; j < 8; ++j) map[UserIdCell(i, j)] = (byte >> (7 - j)) & 1u ? '1' : '0';
  }
}

void ShowCannotSave(MessageBoxHost& boxes, const std::string& file_name) {
  boxes.ShowMessageBox(FormatText(file_messages::kCannotSave, {file_name}), BoxKind::kFailure,
                       BoxIcon::kNone, BoxButtons::kOk);
}

// Whether the error file beside the intermediate file shows its compilation clean. One that is
// missing, unreadable, not a regular file or too large to read shows nothing: the compilation is
// not known to be clean.
bool CompiledClean(const std::string& stem) {
  std::string text;
  return ReadRegularFile(stem + std::string(kErrorFileExtension), text, kDefaultMemoryBudget) ==
             ReadResult::kRead &&
         !ErrorFileReportsErrors(text);
}

}  // namespace

int Fitter::Fit(std::istream& intermediate) {
  if (ReadSymbolTable(intermediate, design_, pins_) != 1 || !RecordsFitTheMode(design_, pins_)) {
    design_ = DesignValues{};
    map_.InitFuseMap();
    return 0;
  }
  intermediate.clear();
  intermediate.seekg(0);
  if (!intermediate) {
    map_.InitFuseMap();
    return 0;
  }
  return BuildFuseMap(intermediate);
}

int Fitter::BuildFuseMap(std::istream& in) {
  map_.InitFuseMap();
  EquationParser parser(design_, pins_, map_);
  const int result = parser.Parse(in);
  FinishFuseMap(design_, pins_, map_);
  return result;
}

bool Fitter::RunFit(std::string intermediate_text, const std::string& jedec_name,
                    MessageBoxHost& boxes, MessageLog& log, bool fit_allowed) {
  std::istringstream intermediate(std::move(intermediate_text));
  OutputFile jedec;
  bool succeeded = false;
  if (!jedec.Create(jedec_name)) {
    ShowCannotSave(boxes, jedec_name);
  } else {
    if (fit_allowed && Fit(intermediate) == 1) {
      succeeded = WriteJedec(jedec.stream(), map_, design_, pins_) == 1 && jedec.Commit();
      if (!succeeded) ShowCannotSave(boxes, jedec_name);
    }
    // A failed fit leaves the JEDEC file empty, never cut short.
    if (!succeeded) {
      jedec.Discard();
      ReplaceWithEmptyFile(jedec_name);
    }
  }
  log.AppendLogLine(succeeded ? fitter_messages::kSucceeded : fitter_messages::kFailed, false);
  return succeeded;
}

FittedDesign Fitter::Result() const {
  FittedDesign result;
  result.design_name = design_.Design_Name;
  result.gal_type = design_.Gal_Type;
  result.map = map_;
  result.pin_names.resize(PinCount(design_.Gal_Type) + 1);
  for (int i = pins_.first_design_record(); i <= pins_.count(); ++i) {
    const PinRecord& record = pins_.record(i);
    if (record.Pin_or_Node == kPin && record.Number > 0 &&
        record.Number < static_cast<int>(result.pin_names.size()))
      result.pin_names[record.Number] = record.name;
  }
  return result;
}

FitOutcome FitCommand(std::string_view source_name, MessageBoxHost& boxes, MessageLog& log,
                      std::optional<FittedDesign>* fitted) {
  const std::string stem = Stem(source_name);
  const std::string intermediate_name = stem + std::string(kIntermediateExtension);
  // Read whole, so that a FIFO or a device is refused instead of waited for; a folder or a FIFO
  // is no intermediate file.
  std::string text;
  const ReadResult read = ReadRegularFile(intermediate_name, text, kDefaultMemoryBudget);
  if (read == ReadResult::kCannotOpen) {
    boxes.ShowMessageBox(FormatText(fitter_messages::kNoIntermediateFile, {intermediate_name}),
                         BoxKind::kRefusal, BoxIcon::kNone, BoxButtons::kOk);
    return FitOutcome::kNoIntermediateFile;
  }
  // The JEDEC file must never take the place of the design it comes from.
  const std::string jedec_name = stem + std::string(kJedecExtension);
  if (IsSameFile(jedec_name, std::string(source_name))) {
    ShowCannotSave(boxes, jedec_name);
    log.AppendLogLine(fitter_messages::kFailed, false);
    return FitOutcome::kFailed;
  }
  // An intermediate file of a compilation that reported errors lacks the equations that were
  // refused: fitting it would program a chip that differs from the source.
  const bool compiled_clean = CompiledClean(stem);
  if (!compiled_clean)
    boxes.ShowMessageBox(fitter_messages::kFitImpossible, BoxKind::kFailure, BoxIcon::kNone,
                         BoxButtons::kOk);
  try {
    Fitter fitter;
    if (!fitter.RunFit(std::move(text), jedec_name, boxes, log,
                       compiled_clean && read == ReadResult::kRead))
      return FitOutcome::kFailed;
    if (fitted != nullptr) *fitted = fitter.Result();
    return FitOutcome::kSucceeded;
  } catch (const std::bad_alloc&) {
    boxes.ShowMessageBox(kOutOfMemoryBox, BoxKind::kFailure, BoxIcon::kError, BoxButtons::kOk);
    log.AppendLogLine(fitter_messages::kFailed, false);
    return FitOutcome::kFailed;
  } catch (const InternalError& error) {
    // A fault of the fitter: no fuse map that it made can be trusted.
    ReplaceWithEmptyFile(jedec_name);
    log.AppendLogLine(FormatText(fitter_messages::kInternalErrorAt, {error.Where()}), false);
    log.AppendLogLine(fitter_messages::kFailed, false);
    return FitOutcome::kFailed;
  }
}

}  // namespace kem
