// Runs one benchmark case in a child process of its own, so that its peak memory is its own and a
// case that runs too long can be stopped.
#pragma once

#include <cstring>
#include <functional>

namespace kem::bench {

template <typename Result>
struct Isolated {
  bool finished = false;  // false: the time limit passed, or the child died
  Result result{};
  double max_rss_mib = 0;  // the child's peak resident size
};

// Forks, runs `work` in the child and sends its bytes back through a pipe. `Result` must be
// trivially copyable.
bool RunInChild(const std::function<void(void* out)>& work, void* result, std::size_t size,
                double limit_seconds, double& max_rss_mib);

template <typename Result>
Isolated<Result> RunIsolated(const std::function<Result()>& work, double limit_seconds) {
  Isolated<Result> run;
  run.finished = RunInChild(
      [&](void* out) {
        const Result result = work();
        std::memcpy(out, &result, sizeof result);
      },
      &run.result, sizeof(Result), limit_seconds, run.max_rss_mib);
  return run;
}

}  // namespace kem::bench
