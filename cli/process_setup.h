// What kemc asks of its process on each system: the command line as UTF-8, standard streams
// that pass every byte unchanged, and whether standard error can show the moving marker.
#pragma once

#include <string>
#include <vector>

namespace kem::cli {

// The arguments after the program name, as UTF-8 (file names are kept as UTF-8 throughout).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes standard output and standard error write their bytes as they are, and a reader that
// closed the pipe a write error instead of the end of the program.
void PrepareStandardStreams();

// Whether standard error is a terminal that draws the marker's "\r" and erase sequence.
bool StandardErrorShowsMarker();

}  // namespace kem::cli
