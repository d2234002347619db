// The compile driver's own texts: log lines and message boxes.
#pragma once

#include <string_view>

#include "common/allocation.h"
#include "common/file_messages.h"
#include "device/fitter_messages.h"

namespace kem::messages {

inline constexpr std::string_view kRefuseOwnOutput =
    "Kann nicht in selbes File compilieren. Umbenennen?";
inline constexpr std::string_view kCompiling = "Text wird compiliert";
inline constexpr std::string_view kOutOfMemory = kOutOfMemoryBox;
inline constexpr std::string_view kCannotSave = file_messages::kCannotSave;
inline constexpr std::string_view kAborted =
    "Compilevorgang abgebrochen, zu viele oder zu schwere Fehler.";
inline constexpr std::string_view kFinished = "Compilevorgang beendet, Warnungen: %d, Fehler: %d.";
inline constexpr std::string_view kFitImpossible = fitter_messages::kFitImpossible;
// A bug, not a fault of the design: where the program broke, for the report to its makers.
inline constexpr std::string_view kInternalErrorAt = "Interner Compilerfehler in %s";
inline constexpr std::string_view kStatementEven = ".";
inline constexpr std::string_view kStatementOdd = "..";

}  // namespace kem::messages
