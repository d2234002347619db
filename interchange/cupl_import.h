// The source language of the vendor's CUPL compiler: header keywords, PIN and FIELD declarations
// with lists and ranges, $DEFINE, equations with "!" "&" "#" "$", numbers in four bases with
// don't-care digits, set matches, intermediate variables, APPEND and TABLE, and the extensions of
// registers, output enables, reset and preset.
#pragma once

#include <optional>
#include <string_view>

#include "interchange/import_report.h"
#include "interchange/imported_design.h"

namespace kem {

// True when the source declares pins as that language does ("PIN n = name;").
bool LooksLikeCupl(std::string_view text);

std::optional<ImportedDesign> ImportCupl(std::string_view text, std::string_view name,
                                         ImportReport& report);

}  // namespace kem
