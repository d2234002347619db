#include "cli/process_setup.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// windows.h first: these need its types.
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>

#include "common/windows_paths.h"
#else
#include <unistd.h>

#include <csignal>
#endif

namespace kem::cli {

#ifdef _WIN32

namespace {

// The files a pattern names, in name order; none when it names none, has no wildcard, or has
// one in a folder. Each long name is matched again, since the system also matches short names
// ("*.kem" would find "a.kemx" by its short name "A~1.KEM").
std::vector<std::string> MatchingFiles(const std::wstring& pattern) {
  const std::size_t folder_end = pattern.find_last_of(L"/\\:");
  const std::size_t name_start = folder_end == std::wstring::npos ? 0 : folder_end + 1;
  std::vector<std::string> files;
  const std::size_t wildcard = pattern.find_first_of(L"*?");
  if (wildcard == std::wstring::npos || wildcard < name_start) return files;
  const std::wstring folder = pattern.substr(0, name_start);
  const std::wstring name_pattern = pattern.substr(name_start);
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        PathMatchSpecW(found.cFileName, name_pattern.c_str()))
      files.push_back(Utf8FromWide(folder + found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

// The narrow argv holds names in the system's code page, which cannot say every name. Windows
// shells leave wildcards to the program: "kemc *.kem" compiles the folder's designs as a Unix
// shell would have listed them; a pattern that matches no file stays as it is.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    const std::wstring argument = wide[i];
    std::vector<std::string> files;
    if (!argument.empty() && argument[0] != L'-') files = MatchingFiles(argument);
    if (files.empty()) files.push_back(Utf8FromWide(argument));
    arguments.insert(arguments.end(), files.begin(), files.end());
  }
  LocalFree(wide);
  return arguments;
}

namespace {

bool IsConsole(DWORD standard_handle) {
  const HANDLE handle = GetStdHandle(standard_handle);
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

// Text mode would turn every "\n" of the log into "\r\n"; the log has "\n" line ends everywhere.
StandardStreams::StandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // Formatted output to an unbuffered stream goes out one byte at a time, which would split each
  // character beyond ASCII between two writes, and a console shows neither half. Every writer of
  // standard error flushes it after its lines.
  if (IsConsole(STD_ERROR_HANDLE)) std::setvbuf(stderr, nullptr, _IOFBF, BUFSIZ);
  if (!IsConsole(STD_OUTPUT_HANDLE) && !IsConsole(STD_ERROR_HANDLE)) return;
  const UINT previous = GetConsoleOutputCP();
  if (previous != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) console_code_page_ = previous;
}

StandardStreams::~StandardStreams() {
  if (console_code_page_ != 0) SetConsoleOutputCP(console_code_page_);
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

StandardStreams::StandardStreams() {
  std::signal(SIGPIPE, SIG_IGN);
}

StandardStreams::~StandardStreams() = default;

bool StandardErrorShowsMarker() {
  return isatty(STDERR_FILENO) != 0;
}

#endif

}  // namespace kem::cli
