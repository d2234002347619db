// What kemc asks of its process on each system: the command line as UTF-8, standard streams
// that pass every byte unchanged, and whether standard error can show the moving marker.
#pragma once

#include <string>
#include <vector>

namespace kem::cli {

// The arguments after the program name, as UTF-8 (file names are kept as UTF-8 throughout).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// While it lives, standard output and standard error write their bytes as they are, and a reader
// that closed the pipe makes a write error instead of ending the program. A Windows console shows
// the bytes as the UTF-8 they are and gets its earlier code page back at the end.
class StandardStreams {
 public:
  StandardStreams();
  ~StandardStreams();
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;

 private:
  unsigned console_code_page_ = 0;  // to restore; 0 when none was changed
};

// Whether standard error is a terminal that draws the marker's "\r" and erase sequence.
bool StandardErrorShowsMarker();

}  // namespace kem::cli
