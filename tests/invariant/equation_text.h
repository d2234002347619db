// The equations of a compilation's listing and of its intermediate file as text, to be compared
// with each other.
#pragma once

#include <sstream>
#include <string>

namespace kem::testing_support {

// The equations as one string without white space: the listing's after its header, the
// intermediate file's up to the symbol table, without the term count after each ";".
inline std::string ListingEquations(const std::string& listing) {
  const std::size_t names = listing.find("\n\n");
  const std::size_t end = names == std::string::npos ? names : listing.find("\n\n", names + 2);
  if (end == std::string::npos) return "no header";
  std::istringstream in(listing.substr(end + 2));
  std::string text;
  for (std::string token; in >> token;) text += token;
  return text;
}

inline std::string IntermediateEquations(const std::string& intermediate) {
  std::istringstream in(intermediate);
  std::string text;
  for (std::string token; in >> token && token != "$__SYMTAB_INFO:";) {
    text += token;
    if (token == ";") in >> token;
  }
  return text;
}

}  // namespace kem::testing_support
