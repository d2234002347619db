#include "compiler/header.h"

#include <string>

#include "common/keywords.h"
#include "device/catalogue.h"

namespace kem {

namespace {

// mode = "SIMPLE_MODE" | "COMPLEX_MODE" | "REGISTERED_MODE" | their mixed-case spellings
// A word that is no mode belongs to what follows.
void ParseMode(CompileRun& run) {
  Scanner& scanner = run.scanner;
  const bool device_known = run.design.Gal_Type >= 0;
  const SourceText::Mark mark = scanner.source().MarkPosition();
  std::string word;
  const int mode = scanner.ScanIdentifier(word) ? FindMode(word) : -1;
  if (mode >= 0) {
    if (!device_known) return;
    if (ModeAllowed(mode, run.design.Gal_Type))
      run.design.Gal_Mode = mode;
    else
      run.Report(Diag::E10);
    return;
  }
  scanner.source().ReturnTo(mark);
  if (device_known) run.design.Gal_Mode = DefaultMode(run.design.Gal_Type);
}

// user-id = "USER_ID" "=" identifier
void ParseUserId(CompileRun& run) {
  Scanner& scanner = run.scanner;
  const SourceText::Mark mark = scanner.source().MarkPosition();
  std::string word;
  if (!scanner.ScanIdentifier(word) || word != kUserIdKeyword) {
    scanner.source().ReturnTo(mark);
    run.design.user_id.clear();
    return;
  }
  scanner.SkipText(SkipMode::kBlanks);
  std::string user_id;
  if (scanner.source().Get() == '=' && scanner.ScanIdentifier(user_id)) {
    // The fuse map holds 15 characters of user ID; the rest is dropped.
    run.design.user_id = user_id.substr(0, kMaxUserIdLength);
    return;
  }
  run.Report(Diag::E37);
  scanner.SkipText(SkipMode::kPastSeparator);
  run.design.user_id.clear();
}

}  // namespace

int ParseHeader(CompileRun& run) {
  Scanner& scanner = run.scanner;
  if (!scanner.FindChip()) {
    run.Report(Diag::E07);
    return 1;
  }

  std::string word;
  scanner.SkipText(SkipMode::kBlanks);
  if (!scanner.ScanIdentifier(word) || run.pins.IsKeyword(word))
    run.Report(Diag::E05);
  else
    run.design.Design_Name = word;

  scanner.SkipText(SkipMode::kBlanks);
  const int device = scanner.ScanIdentifier(word) ? FindDevice(word) : -1;
  if (device < 0)
    run.Report(Diag::E06);
  else
    run.design.Gal_Type = device;

  ParseMode(run);
  ParseUserId(run);

  if (!run.CompileAborted()) ParsePinList(run);
  return 1;
}

}  // namespace kem
