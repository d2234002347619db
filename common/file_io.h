// Whole-file reading and writing with plain C streams: a folder or an unreadable file is a failed
// read, never an exception, and a failed write never leaves a file half-written where it can
// be helped.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kem {

// Reads every byte of the file at `path` into `bytes`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

enum class ReplaceResult {
  kReplaced,
  kCannotCreate,  // no file could be made under the name; nothing was changed
  kWriteFailed,   // not every byte could be written; the file was left as it was
};

// Makes `bytes` the whole contents of the file at `path`. The bytes go to a new file in the same
// folder first, which takes the file's place only once all of them are written, so a full disk
// leaves the old file whole. `before_replacing` runs just before that, while the old file is
// still in place. The new file keeps the old one's permissions. A folder that takes no new file
// still lets a file it holds be rewritten in place (there a failed write can cut the file short).
// A name that is a folder is never touched.
ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  const std::function<void()>& before_replacing = {});

}  // namespace kem
