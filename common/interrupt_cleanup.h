// Temporary files that an interrupt must not leave behind. Outputs are written to temporaries that
// take their final names only when complete; a program that installs the cleanup removes every
// temporary still registered when a signal ends it (any that can be caught, crashes included; on
// Windows: Ctrl+C, Ctrl+Break or the console window being closed), and then ends as it would have
// without the cleanup.
#pragma once

#ifndef _WIN32
#include <signal.h>
#endif

#include <string>

namespace kem {

// Keeps the signals of the cleanup from the calling thread while it lives, so that a temporary and
// its registration come and go together and a group of outputs takes its names as a whole. On
// Windows, where the interrupt runs on a thread of its own, the outermost block of a thread holds a
// lock that the interrupt waits for. A fault of the thread itself (SIGSEGV and the like) is not
// held back: the system ends the program with it at once, as without the cleanup.
class InterruptBlock {
 public:
  InterruptBlock();
  ~InterruptBlock();
  InterruptBlock(const InterruptBlock&) = delete;
  InterruptBlock& operator=(const InterruptBlock&) = delete;

#ifndef _WIN32
 private:
  sigset_t previous_;
#endif
};

// Registers a temporary for removal on an interrupt; false when the registry is full or the path
// too long for it (the temporary is then left to the caller alone).
bool RegisterTemporary(const std::string& path);
void ForgetTemporary(const std::string& path);

// Removes every registered temporary. Safe to call from a signal handler.
void RemoveRegisteredTemporaries();

// Installs the cleanup for every signal that ends the process and is still at its default.
void InstallInterruptCleanup();

}  // namespace kem
