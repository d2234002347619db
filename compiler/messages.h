// The compile driver's own texts: log lines and message boxes.
#pragma once

#include <string_view>

#include "common/allocation.h"
#include "common/file_messages.h"

namespace kem::messages {

inline constexpr std::string_view kRefuseOwnOutput =
    "Kann nicht in selbes File compilieren. Umbenennen?";
inline constexpr std::string_view kCompiling = "Text wird compiliert";
inline constexpr std::string_view kOutOfMemory = kOutOfMemoryBox;
inline constexpr std::string_view kCannotSave = file_messages::kCannotSave;
inline constexpr std::string_view kAborted =
    "Compilevorgang abgebrochen, zu viele oder zu schwere Fehler.";
inline constexpr std::string_view kFinished = "Compilevorgang beendet, Warnungen: %d, Fehler: %d.";
inline constexpr std::string_view kFitImpossible =
    "Fit-Vorgang nicht möglich. Fehler beim Compilieren";
inline constexpr std::string_view kStatementEven = ".";
inline constexpr std::string_view kStatementOdd = "..";

}  // namespace kem::messages
