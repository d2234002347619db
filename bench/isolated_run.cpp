#include "bench/isolated_run.h"

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace kem::bench {

bool RunInChild(const std::function<void(void* out)>& work, void* result, std::size_t size,
                double limit_seconds, double& max_rss_mib) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return false;
  std::fflush(stdout);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    close(pipe_ends[0]);
    std::vector<unsigned char> bytes(size);
    work(bytes.data());
    const ssize_t written = write(pipe_ends[1], bytes.data(), size);
    _exit(written == static_cast<ssize_t>(size) ? 0 : 1);
  }
  close(pipe_ends[1]);
  bool finished = false;
  pollfd wait_for{pipe_ends[0], POLLIN, 0};
  if (poll(&wait_for, 1, static_cast<int>(limit_seconds * 1000)) > 0)
    finished = read(pipe_ends[0], result, size) == static_cast<ssize_t>(size);
  if (!finished) kill(child, SIGKILL);
  close(pipe_ends[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  max_rss_mib = static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss is in KiB
  return finished;
}

}  // namespace kem::bench
