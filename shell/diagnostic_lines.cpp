#include "shell/diagnostic_lines.h"

#include <algorithm>

#include "common/error_file_lines.h"

namespace kem {

namespace {

// No source has this many lines; longer numbers stand for the last line as well.
constexpr int kMaxDigits = 9;
constexpr int kLargestNumber = 999999999;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> DiagnosticLineNumber(std::string_view line) {
  // The writer puts the number first, but a line may carry a file name in front of it.
  for (std::size_t at = line.find(kLinePrefix); at != std::string_view::npos;
       at = line.find(kLinePrefix, at + 1)) {
    std::size_t p = at + kLinePrefix.size();
    const std::size_t digits = p;
    int number = 0;
    while (p < line.size() && IsDigit(line[p])) {
      number = p - digits < kMaxDigits ? number * 10 + (line[p] - '0') : kLargestNumber;
      ++p;
    }
    // "Zeile: 3" is the status line's wording, "Zeile 3 ..." ordinary text: neither is a quote.
    if (p > digits && p < line.size() && line[p] == ':') return std::max(number, 1);
  }
  return std::nullopt;
}

std::vector<int> DiagnosticLines(std::string_view text, int line_count) {
  std::vector<int> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (const std::optional<int> number = DiagnosticLineNumber(line))
      lines.push_back(std::min(*number, std::max(line_count, 1)));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

std::optional<int> NextDiagnosticLine(const std::vector<int>& lines, int caret_line, bool forward) {
  if (lines.empty()) return std::nullopt;
  if (forward) {
    const auto next = std::upper_bound(lines.begin(), lines.end(), caret_line);
    return next == lines.end() ? lines.front() : *next;
  }
  const auto after = std::lower_bound(lines.begin(), lines.end(), caret_line);
  return after == lines.begin() ? lines.back() : *std::prev(after);
}

int CountLines(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

LineRange LocateLine(std::string_view text, int line) {
  std::size_t start = 0;
  for (int current = 1; current < line; ++current) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const std::size_t end = std::min(text.find('\n', start), text.size());
  return {static_cast<int>(start), static_cast<int>(end)};
}

}  // namespace kem
