// Runs the kemc program in a folder and collects its exit status and output.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kem::testing_support {

struct KemcResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// `arguments` are passed to the shell as they stand, so quote file names with ShellQuote.
inline KemcResult RunKemc(const std::filesystem::path& folder, const std::string& arguments) {
  const std::filesystem::path out = folder / ".kemc-out";
  const std::filesystem::path err = folder / ".kemc-err";
  const std::string command = "cd " + ShellQuote(folder.string()) + " && " + ShellQuote(KEMC_PATH) +
                              " " + arguments + " >" + ShellQuote(out.string()) + " 2>" +
                              ShellQuote(err.string()) + " </dev/null";
  const int raw = std::system(command.c_str());
  KemcResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(out);
  result.err = Slurp(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

}  // namespace kem::testing_support
