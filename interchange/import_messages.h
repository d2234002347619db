// The texts of the import of other tools' sources: each goes with the line of the source it
// concerns, as "FILE:LINE: error: TEXT" or "FILE:LINE: note: TEXT".
#pragma once

#include <string_view>

namespace kem::import_messages {

// The first line of every imported design, and the language names it quotes.
inline constexpr std::string_view kOrigin = "Importiert aus %s (%s)";
inline constexpr std::string_view kLanguageGalasm = "GALasm";
inline constexpr std::string_view kLanguageCupl = "CUPL";

// Faults of any source.
inline constexpr std::string_view kUnknownLanguage =
    "Sprache der Quelle nicht erkannt (weder CUPL noch GALasm)";
inline constexpr std::string_view kUnknownDevice = "unbekannter Baustein %s";
inline constexpr std::string_view kNoDevice = "kein Baustein angegeben";
inline constexpr std::string_view kPinOutOfRange = "Pin %d gibt es beim %s nicht";
inline constexpr std::string_view kPinTwice = "Pin %d ist zweimal vergeben";
inline constexpr std::string_view kNameTwice = "Name %s ist zweimal vergeben";
inline constexpr std::string_view kUnknownName = "%s ist weder Pin noch Variable";
inline constexpr std::string_view kNotAnOutput = "Pin %d (%s) kann kein Ausgang sein";
inline constexpr std::string_view kDefinedTwice = "%s ist schon definiert";
inline constexpr std::string_view kFixedPinName = "Pin %d muss %s heißen, nicht %s";
inline constexpr std::string_view kNotReadable = "Pin %d (%s) kann im %s nicht gelesen werden";
inline constexpr std::string_view kFixedPinUsed = "Pin %d (%s) hat im %s feste Funktion";
inline constexpr std::string_view kSyntax = "unerwartet: %s";
inline constexpr std::string_view kMissing = "%s fehlt";
inline constexpr std::string_view kEndOfFile = "Ende der Datei";
inline constexpr std::string_view kNegatedEnable = "Ausgangsfreigabe %s darf nicht negiert sein";
inline constexpr std::string_view kEnableWithoutOutput = "Ausgangsfreigabe für %s ohne Gleichung";
inline constexpr std::string_view kNoEnableInMode =
    "%s: Ausgangsfreigabe per Produktterm gibt es im %s nicht";
inline constexpr std::string_view kRegisterInMode = "%s: Register gibt es im %s nicht";
inline constexpr std::string_view kResetPresetDevice = "%s gibt es nur beim GAL22V10";
inline constexpr std::string_view kResetPresetDiffer =
    "%s: der Baustein hat nur einen gemeinsamen Term, %s weicht ab";
inline constexpr std::string_view kNotPossible = "%s ist beim %s nicht möglich";
inline constexpr std::string_view kConstantRegister =
    "%s: konstanter Wert für ein Register nicht übersetzbar";
inline constexpr std::string_view kConstantEnable =
    "%s: Ausgangsfreigabe konstant 0 nicht übersetzbar";
inline constexpr std::string_view kNotTranslated = "%s wird nicht übersetzt";
inline constexpr std::string_view kRecursion = "%s ist durch sich selbst definiert";
inline constexpr std::string_view kTooDeep = "Ausdruck zu tief verschachtelt";
inline constexpr std::string_view kTooLarge = "%s: Ausdruck zu groß";
inline constexpr std::string_view kBadNumber = "Zahl %s nicht lesbar";
inline constexpr std::string_view kCountMismatch = "%d Pins, aber %d Namen";
inline constexpr std::string_view kBadRange = "Bereich %s nicht lesbar";
inline constexpr std::string_view kTooWide = "%s passt nicht in %d Bits";

// Notes: what the import chose where the source leaves it open.
inline constexpr std::string_view kModeChosen = "Modus %s gewählt (%s)";
inline constexpr std::string_view kBecauseRegister = "Register an %s";
inline constexpr std::string_view kBecauseEnable = "Ausgangsfreigabe an %s";
inline constexpr std::string_view kBecauseFeedback = "%s wird zurückgelesen";
inline constexpr std::string_view kBecauseInput = "%s dient als Eingang";
inline constexpr std::string_view kBecauseNothing = "keine Register, Freigaben oder Rückführungen";
inline constexpr std::string_view kRenamed = "%s heißt im Design %s";
inline constexpr std::string_view kNoUserId = "Signatur %s ist kein Bezeichner, keine USER_ID";

// The files of an import.
inline constexpr std::string_view kCannotRead = "%s kann nicht gelesen werden";
inline constexpr std::string_view kNotOverwritten =
    "%s besteht und ist kein Import, er wird nicht überschrieben";
inline constexpr std::string_view kWouldOverwriteSource = "%s würde die Quelle überschreiben";
inline constexpr std::string_view kImported = "%s importiert nach %s";

}  // namespace kem::import_messages
