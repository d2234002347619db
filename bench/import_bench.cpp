// The import of a large CUPL design as a whole process: kemc --import --fit on a 200-line source
// whose chip selects are FIELD ranges over 16 address lines, started as a user starts it. Prints
// the wall time of each run and the median; the design must stay under 50 ms.
//
//   kem_import_bench [--runs 20]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Six chip selects on a GAL22V10; each takes the 256-byte pages of every sixth 4 KiB block, one
// APPEND line per page, so the ranges must merge back into blocks to fit.
std::string LargeDecoder() {
  std::string text =
      "Name BigDecoder; Partno 1; Date 2026; Revision 1; Designer kem; Company kem;\n"
      "Assembly bench; Location U1; Device g22v10;\n"
      "/* Address decoder of our own for the import benchmark. */\n"
      "PIN [1..11] = [A15..5];\nPIN [13,14,15,16,17] = [A4..0];\n"
      "PIN [18..23] = [CS5..0];\nFIELD addr = [A15..0];\n";
  bool defined[6] = {};
  for (int page = 0; page < 193; ++page) {
    const int output = (page / 16) % 6;
    char line[96];
    std::snprintf(line, sizeof line, "%sCS%d = addr:[%04X..%04X];\n",
                  defined[output] ? "APPEND " : "", output, page * 256, page * 256 + 255);
    defined[output] = true;
    text += line;
  }
  return text;
}

double RunOnce(const fs::path& dir) {
  const std::string kemc = KEMC_PATH;
  const std::string source = (dir / "big.pld").string();
  std::vector<char*> argv = {const_cast<char*>(kemc.c_str()), const_cast<char*>("--import"),
                             const_cast<char*>("--fit"), const_cast<char*>(source.c_str()),
                             nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, kemc.c_str(), &actions, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 20;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--runs") runs = std::atoi(argv[i + 1]);
  }
  const fs::path dir = fs::temp_directory_path() / ("kem-import-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "big.pld") << LargeDecoder();
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = RunOnce(dir);
    if (ms < 0) {
      std::fprintf(stderr, "kemc --import --fit big.pld failed\n");
      fs::remove_all(dir);
      return 1;
    }
    times.push_back(ms);
  }
  fs::remove_all(dir);
  std::sort(times.begin(), times.end());
  std::printf(
      "kemc --import --fit, 200-line CUPL decoder over 16 address lines: median %.1f ms, "
      "fastest %.1f ms, slowest %.1f ms (%d runs; limit 50 ms)\n",
      times[times.size() / 2], times.front(), times.back(), runs);
  return 0;
}
