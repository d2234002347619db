#include "cli/process_setup.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include <cstdio>

#include "common/windows_paths.h"
#else
#include <unistd.h>

#include <csignal>
#endif

namespace kem::cli {

#ifdef _WIN32

// The narrow argv holds names in the system's code page, which cannot say every name.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

// Text mode would turn every "\n" of the log into "\r\n"; the log has "\n" line ends everywhere.
void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// A console draws the marker only with its terminal sequences switched on; the NUL device and
// files are not consoles, though the C library calls the first a terminal.
bool StandardErrorShowsMarker() {
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
  return SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

#else

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {
  std::signal(SIGPIPE, SIG_IGN);
}

bool StandardErrorShowsMarker() {
  return isatty(STDERR_FILENO) != 0;
}

#endif

}  // namespace kem::cli
