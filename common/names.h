// File names derived from a document name: the stem is the name up to and including the dot of
// its extension, and every file of the design is the stem followed by its extension, all of which
// are named here.
#pragma once

#include <string>
#include <string_view>

namespace kem {

// The extensions of the files a design has, each named here only.
inline constexpr std::string_view kSourceExtension = "kem";
// The equation listing the compiler writes.
inline constexpr std::string_view kListingExtension = "mds";
// The intermediate file, which the fitter and the simulator read.
inline constexpr std::string_view kIntermediateExtension = "boo";
// The error file as the compiler writes it; the fitter reads it to learn whether the compilation
// was clean.
inline constexpr std::string_view kErrorFileExtension = "ERR";
// The error file as the error view looks for it first.
inline constexpr std::string_view kErrorViewExtension = "err";
inline constexpr std::string_view kJedecExtension = "jed";
// The file the fit view shows.
inline constexpr std::string_view kFitExtension = "fit";
// The test vectors the simulation reads.
inline constexpr std::string_view kVectorExtension = "vec";
// The previous text of a document that a save replaced.
inline constexpr std::string_view kBackupExtension = "bak";

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
// (the listing, the intermediate, the error or the JEDEC file), in any letter case.
bool IsOutputExtension(std::string_view document_name);

}  // namespace kem
