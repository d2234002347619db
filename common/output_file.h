// An output that takes its name only when it is complete. Its bytes go to a new file in the same
// folder, which is renamed over the name once every byte is written and the file is closed: a
// link at the name is replaced, never written through, and a failed write or an interrupt leaves
// the name as it was.
#pragma once

#include <cstdio>
#include <string>

namespace kem {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { Discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts the new file for `path`. False when nothing may take that name: a folder or anything
  // else that is neither a file nor a link, a file the user may not write, a name the system
  // cannot take, or a folder that takes no new file. The new file keeps the permissions of a
  // file it is to replace.
  bool Create(const std::string& path);

  std::FILE* stream() const { return stream_; }
  bool is_open() const { return stream_ != nullptr; }
  bool finished() const { return finished_; }
  const std::string& path() const { return path_; }

  // Closes the new file; false, with the new file gone, when a write or the closing failed.
  bool Finish();
  // Puts the finished file in place of the name; false, the name keeping what it held, when it
  // was not finished or the rename failed.
  bool Publish();
  bool Commit() { return Finish() && Publish(); }
  // Drops the new file; the name keeps what it held.
  void Discard();

 private:
  void RemoveTemporary();

  std::string path_;
  std::string temporary_;
  std::FILE* stream_ = nullptr;
  bool finished_ = false;
};

// Writes a new empty file under `path` in the same way; false when that fails.
bool ReplaceWithEmptyFile(const std::string& path);

}  // namespace kem
