#include "interchange/pin_tables.h"

#include <algorithm>
#include <bit>

#include "synthesis/row_sets.h"

namespace kem {

PinSpace::PinSpace(const std::vector<const ChipSum*>& sums) {
  for (const ChipSum* sum : sums) {
    for (const ChipTerm& term : *sum) {
      for (const ChipLiteral& literal : term.literals) pins_.push_back(literal.pin);
    }
  }
  std::sort(pins_.begin(), pins_.end());
  pins_.erase(std::unique(pins_.begin(), pins_.end()), pins_.end());
}

std::size_t PinSpace::words() const {
  return RowSetWords(variables());
}

std::uint64_t PinSpace::LastWordMask() const {
  const int v = variables();
  return v >= kRowBitsPerWord ? ~std::uint64_t{0} : (std::uint64_t{1} << (1u << v)) - 1;
}

int PinSpace::BitOf(int pin) const {
  const auto at = std::lower_bound(pins_.begin(), pins_.end(), pin);
  return variables() - 1 - static_cast<int>(at - pins_.begin());
}

CubeKey PinSpace::CubeOf(const ChipTerm& term) const {
  std::uint32_t mask = 0;
  std::uint32_t value = 0;
  for (const ChipLiteral& literal : term.literals) {
    const std::uint32_t bit = std::uint32_t{1} << BitOf(literal.pin);
    mask |= bit;
    if (!literal.inverted) value |= bit;
  }
  return MakeCube(mask, value);
}

PinTable64 PinSpace::TableOf(const ChipSum& sum) const {
  PinTable64 table(words(), 0);
  for (const ChipTerm& term : sum) {
    ForEachCubeWord(CubeOf(term), variables(),
                    [&table](std::size_t word, std::uint64_t pattern) { table[word] |= pattern; });
  }
  return table;
}

bool PinSpace::LevelAt(std::uint32_t x, int pin) const {
  return ((x >> BitOf(pin)) & 1u) != 0;
}

bool PinSpace::TermTrueAt(const ChipTerm& term, std::uint32_t x) const {
  const CubeKey cube = CubeOf(term);
  return (x & CubeMask(cube)) == CubeValue(cube);
}

PinTable64 Complement(const PinSpace& space, PinTable64 table) {
  for (std::uint64_t& word : table) word = ~word;
  table.back() &= space.LastWordMask();
  return table;
}

std::optional<std::uint32_t> FirstPointOf(const PinTable64& table) {
  for (std::size_t w = 0; w < table.size(); ++w) {
    if (table[w] != 0)
      return static_cast<std::uint32_t>(w * 64 +
                                        static_cast<std::size_t>(std::countr_zero(table[w])));
  }
  return std::nullopt;
}

}  // namespace kem
