#include "common/internal_check.h"

#include <string_view>

namespace kem {

namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

// The last two components of a path: a build's absolute paths differ between machines.
const char* ShortSourceName(const char* path) {
  const std::string_view text(path);
  const std::size_t last = text.find_last_of(kSeparators);
  if (last == std::string_view::npos || last == 0) return path;
  const std::size_t folder = text.find_last_of(kSeparators, last - 1);
  return folder == std::string_view::npos ? path : path + folder + 1;
}

}  // namespace

void FailInternalCheck(const char* file, int line, const char* condition) {
  throw InternalError{ShortSourceName(file), line, condition};
}

}  // namespace kem
