// Covers written and read as text, one character per variable: "1" true literal, "0" complemented
// literal, "-" absent. For tests of the minimizers.
#pragma once

#include <string>
#include <vector>

#include "synthesis/cover.h"

namespace kem::testing_support {

inline std::string RowText(const Cover& cover, int row, int variables) {
  std::string text;
  for (int v = 0; v < variables; ++v) {
    const int code = cover.RawGet(row, v);
    text += code == kCodeTrue ? '1' : code == kCodeComplement ? '0' : code == 0 ? '-' : '?';
  }
  return text;
}

// A cover over n variables whose rows 0.. are the given cubes, with room for `spare` more rows.
inline Cover CoverOf(SynthesisContext& context, const std::vector<std::string>& rows, int n,
                     int tags = 0, int spare = 0) {
  Cover cover;
  if (!cover.Allocate(context, static_cast<int>(rows.size()) + spare, tags, n)) return cover;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    cover.Bind(row);
    for (int v = 0; v < static_cast<int>(rows[row].size()); ++v) {
      const char c = rows[row][v];
      if (c != '-') cover.FieldSet(row, v, c == '1' ? kCodeTrue : kCodeComplement);
    }
  }
  return cover;
}

// The rows 0..last that pass `counts`, as text.
template <typename Counts>
std::vector<std::string> RowsText(const Cover& cover, int last, int variables, Counts counts) {
  std::vector<std::string> rows;
  for (int row = 0; row <= last; ++row) {
    if (counts(row)) rows.push_back(RowText(cover, row, variables));
  }
  return rows;
}

}  // namespace kem::testing_support
