// The minimization levels, one table for every place that names them: the number a compilation
// runs with, the word the settings file kem.ini stores (KEMWinMinLevel) and kemc's word for it
// (--level, which also takes the number and the kem.ini word). Entry i is level i; the level
// dialog has one button per entry, in this order. A new level joins at the end: level 3, minimal,
// the smallest cover, which the compiler also falls back on when a cover does not fit.
#pragma once

#include <array>
#include <string_view>

namespace kem {

inline constexpr int kLevelNone = 0;       // no minimization: the products as written, or minterms
inline constexpr int kLevelExact = 1;      // ExactMinimize
inline constexpr int kLevelRecursive = 2;  // RecursiveMinimize
inline constexpr int kLevelMinimal = 3;    // MinimalMinimize
inline constexpr int kDefaultMinimizationLevel = kLevelRecursive;

struct MinimizationLevel {
  int level;
  std::string_view settings_word;  // in kem.ini
  std::string_view option_word;    // on kemc's command line
};

inline constexpr std::array<MinimizationLevel, 4> kMinimizationLevels = {{
    {kLevelNone, "NOMIN", "none"},
    {kLevelExact, "STRONGMIN", "full"},
    {kLevelRecursive, "ESPRESSO", "espresso"},
    {kLevelMinimal, "MINIMAL", "minimal"},
}};
inline constexpr int kLevelCount = static_cast<int>(kMinimizationLevels.size());

constexpr bool IsMinimizationLevel(int level) {
  return level >= 0 && level < kLevelCount;
}

}  // namespace kem
