// Whole-file reading with plain C streams: a folder or an unreadable file is a failed read, never
// an exception.
#pragma once

#include <string>

namespace kem {

// Reads every byte of the file at `path` into `bytes`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace kem
