// The source language of the GALasm and galette assemblers: the device line, the signature, the
// pin names in pin order, then equations with "/" "*" "+" and the suffixes .T .R .E, AR and SP on
// the GAL22V10, and the DESCRIPTION that ends the file; ";" starts a comment.
#pragma once

#include <optional>
#include <string_view>

#include "interchange/import_report.h"
#include "interchange/imported_design.h"

namespace kem {

// True when the first line that is no comment names a device as those assemblers write it.
bool LooksLikeGalasm(std::string_view text);

std::optional<ImportedDesign> ImportGalasm(std::string_view text, std::string_view name,
                                           ImportReport& report);

}  // namespace kem
