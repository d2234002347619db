// Runs a test body where permission bits count. Root ignores them, and CI runs as root, so there
// the body runs in a forked child that has become the unprivileged user "nobody" first. The body
// reports its failures as text (empty when it passed); a child passes that text back through a
// pipe and ends with _exit, so nothing of gtest runs twice.
//
// A body that needs files makes its own folder: one made before the fork belongs to root.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace kem::testing_support {

inline constexpr uid_t kUnprivilegedId = 65534;  // nobody, nogroup

// Collects the failed expectations of a body that may run in a child process.
class Checks {
 public:
  template <typename Actual, typename Expected>
  void Equal(const Actual& actual, const Expected& expected, std::string_view what) {
    if (actual == expected) return;
    failures_ += std::string(what) + ": got " + ::testing::PrintToString(actual) + ", expected " +
                 ::testing::PrintToString(expected) + "\n";
  }
  void True(bool condition, std::string_view what) {
    if (!condition) failures_ += std::string(what) + ": is false\n";
  }
  // Two snapshots of a folder (TempDir::Snapshot): names each file added, removed or changed.
  void SameFiles(const std::map<std::string, std::string>& actual,
                 const std::map<std::string, std::string>& expected, std::string_view what) {
    for (const auto& [name, bytes] : expected) {
      const auto found = actual.find(name);
      if (found == actual.end())
        failures_ += std::string(what) + ": " + name + " is gone\n";
      else if (found->second != bytes)
        failures_ += std::string(what) + ": " + name + " holds " + Shown(found->second) +
                     ", expected " + Shown(bytes) + "\n";
    }
    for (const auto& [name, bytes] : actual) {
      if (!expected.count(name))
        failures_ += std::string(what) + ": " + name + " is new, holding " + Shown(bytes) + "\n";
    }
  }
  const std::string& failures() const { return failures_; }

 private:
  // File contents as a message shows them: long ones by their start and size.
  static std::string Shown(const std::string& bytes) {
    constexpr std::size_t kShownBytes = 80;
    if (bytes.size() <= kShownBytes) return ::testing::PrintToString(bytes);
    return ::testing::PrintToString(bytes.substr(0, kShownBytes)) + "... (" +
           std::to_string(bytes.size()) + " bytes)";
  }

  std::string failures_;
};

// Runs `body` in a forked child, as nobody when `drop_root` and the process runs as root. Returns
// the body's failures, or what kept it from finishing.
inline std::string RunInChildProcess(const std::function<std::string()>& body, bool drop_root) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return "no pipe to the child process";
  std::fflush(nullptr);  // buffered output would otherwise be written by both processes
  const pid_t child = fork();
  if (child < 0) {
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    return "fork failed";
  }
  if (child == 0) {
    close(pipe_ends[0]);
    std::string failures;
    if (drop_root && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 ||
         setuid(kUnprivilegedId) != 0)) {
      failures = "could not become an unprivileged user";
    } else {
      try {
        failures = body();
      } catch (const std::exception& e) {
        failures += std::string("exception: ") + e.what();
      } catch (...) {
        failures += "unknown exception";
      }
    }
    std::size_t written = 0;
    while (written < failures.size()) {
      const ssize_t n = write(pipe_ends[1], failures.data() + written, failures.size() - written);
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    _exit(failures.empty() ? 0 : 1);
  }
  close(pipe_ends[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) break;
    report.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipe_ends[0]);
  int status = 0;
  if (waitpid(child, &status, 0) != child) return report + "lost the child process";
  if (WIFSIGNALED(status))
    return report + "child process killed by signal " + std::to_string(WTERMSIG(status));
  if (WEXITSTATUS(status) != 0 && report.empty()) return "child process failed without a message";
  return report;
}

// Runs `body` so that permission bits apply: directly for an ordinary user, in a child process
// that has dropped root otherwise.
inline std::string RunUnprivileged(const std::function<std::string()>& body) {
  if (geteuid() != 0) return body();
  return RunInChildProcess(body, true);
}

// For EXPECT_TRUE: the body's failures, if any, become the assertion's message.
inline ::testing::AssertionResult Passed(const std::string& failures) {
  if (failures.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\n" << failures;
}

}  // namespace kem::testing_support
