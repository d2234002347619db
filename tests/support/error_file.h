// A temporary error file for tests: attach it to a Diagnostics and read back what was written.
#pragma once

#include <cstdio>
#include <string>

namespace kem::testing_support {

class CapturedErrorFile {
 public:
  CapturedErrorFile() : file_(std::tmpfile()) {}
  ~CapturedErrorFile() { std::fclose(file_); }
  CapturedErrorFile(const CapturedErrorFile&) = delete;
  CapturedErrorFile& operator=(const CapturedErrorFile&) = delete;

  std::FILE* get() { return file_; }
  std::string Text() {
    std::fflush(file_);
    std::rewind(file_);
    std::string text;
    for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

 private:
  std::FILE* file_;
};

}  // namespace kem::testing_support
