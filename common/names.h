// File names derived from a document name: the stem is the name up to and including the dot of
// its extension, and every output file is the stem followed by its own suffix.
#pragma once

#include <string>
#include <string_view>

namespace kem {

// Extension of the intermediate file, which the fitter and the simulator read.
inline constexpr std::string_view kIntermediateExtension = "boo";
// Extension of the error file, which the fitter reads to learn whether the compilation was clean.
inline constexpr std::string_view kErrorFileExtension = "ERR";

// Position of the dot that starts the extension of `name`. Only the last four characters are
// looked at, so an extension counts when it has at most three characters; a path separator ends
// the search, so a dot in a folder name is no extension dot. When no dot is found, a "." is
// appended to `name` and its former length is returned.
std::size_t ExtensionDotIndex(std::string& name);

// The name up to and including the extension dot; the document name itself is not changed.
std::string Stem(std::string_view document_name);

// The three characters after the extension dot (fewer when the extension is shorter).
std::string Extension(std::string_view document_name);

// True when compiling the document would write onto it: its extension is that of an output file
// ("mds", "boo", "err" or "jed"), in any letter case.
bool IsOutputExtension(std::string_view document_name);

}  // namespace kem
