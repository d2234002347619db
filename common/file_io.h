// Whole-file reading and writing: only a regular file is read, so a folder, a device or a FIFO is
// a failed read that never blocks, and a write never leaves a file half-written.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace kem {

enum class ReadResult {
  kRead,
  kCannotOpen,  // missing, unreadable, or not a regular file
  kTooLarge,    // more than the limit; `bytes` is left empty
};

// Reads every byte of the regular file at `path` into `bytes`, at most `limit` of them.
ReadResult ReadRegularFile(const std::string& path, std::string& bytes,
                           std::size_t limit = std::numeric_limits<std::size_t>::max());

// What is at a path, so that a read that gave kCannotOpen can say what is wrong.
enum class PathKind {
  kMissing,
  kNotAFile,  // a folder, a device, a FIFO
  kFile,      // a regular file (which may still be unreadable, as one without read permission)
};
PathKind KindOfPath(const std::string& path);

// The same as a plain yes or no.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Whether the file can be opened for reading; a FIFO without a writer does not keep the caller
// waiting.
bool CanBeOpened(const std::string& path);

// Whether both names lead to one file, through links of either kind.
bool IsSameFile(const std::string& a, const std::string& b);

enum class ReplaceResult {
  kReplaced,
  kCannotCreate,  // no file could be made under the name; nothing was changed
  kWriteFailed,   // not every byte could be written; the file was left as it was
};

// Makes `bytes` the whole contents of the file at `path`. The bytes go to a new file in the same
// folder first (OutputFile), which takes the name only once all of them are written, so a full
// disk or an interrupt leaves the old file whole and a link at the name is replaced, not written
// through. `before_replacing` runs just before that, while the old file is still in place; no
// interrupt comes between the two. A folder, a write-protected file and a folder that takes no
// new file are never touched.
ReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                  const std::function<void()>& before_replacing = {});

}  // namespace kem
