#include "common/interrupt_cleanup.h"

#ifdef _WIN32
#include <windows.h>

#include "common/windows_paths.h"
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstring>

namespace kem {

namespace {

constexpr std::size_t kSlots = 16;
constexpr std::size_t kPathCapacity = 4096;

enum SlotState : int { kFree, kFilling, kRegistered };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathCapacity];
};

// A signal handler can reach nothing but process-wide data, so the registry is the one piece of
// global state: a fixed table that needs no allocation and no lock.
Slot g_slots[kSlots];

#ifdef _WIN32

// The lock of the interrupt blocks: held by the outermost block of a thread, and taken for good by
// the console's interrupt thread before it removes the temporaries.
SRWLOCK g_block_lock = SRWLOCK_INIT;
thread_local int t_block_depth = 0;

void RemoveTemporaryFile(const char* path) {
  wchar_t wide[kPathCapacity];
  if (WidePathInto(path, wide, kPathCapacity)) DeleteFileW(wide);
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  AcquireSRWLockExclusive(&g_block_lock);
  RemoveRegisteredTemporaries();
  // Ends at once, with the status an unhandled Ctrl+C gives and, as after a signal, without
  // flushing buffered output: no later output may appear after the cleanup.
  TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
  return TRUE;
}

#else

// Every signal that ends the process by default and can be caught. The faults (SIGSEGV, SIGBUS,
// ...) are among them: removing the temporaries needs nothing but unlink(), and the handler then
// ends the process with the same signal, and a core where the default gives one. SIGIO only where
// its default ends the process; elsewhere it is discarded.
constexpr int kEndingSignals[] = {
    SIGHUP,  SIGINT,  SIGQUIT,   SIGTERM, SIGUSR1, SIGUSR2, SIGPIPE, SIGALRM, SIGVTALRM, SIGPROF,
    SIGXCPU, SIGXFSZ, SIGSYS,    SIGTRAP, SIGABRT, SIGBUS,  SIGFPE,  SIGILL,  SIGSEGV,
#ifdef __linux__
    SIGIO,   SIGPWR,  SIGSTKFLT,
#endif
};

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kEndingSignals) sigaddset(&set, s);
#ifdef SIGRTMIN
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) sigaddset(&set, s);
#endif
  return set;
}

void RemoveTemporaryFile(const char* path) {
  ::unlink(path);
}

// The signal stays blocked while this runs, so the one raised here ends the process on return,
// by the default action.
void OnInterrupt(int signal_number) {
  RemoveRegisteredTemporaries();
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

#endif

}  // namespace

#ifdef _WIN32

InterruptBlock::InterruptBlock() {
  if (t_block_depth++ == 0) AcquireSRWLockExclusive(&g_block_lock);
}

InterruptBlock::~InterruptBlock() {
  if (--t_block_depth == 0) ReleaseSRWLockExclusive(&g_block_lock);
}

void InstallInterruptCleanup() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

#else

InterruptBlock::InterruptBlock() {
  const sigset_t blocked = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
}

InterruptBlock::~InterruptBlock() {
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void InstallInterruptCleanup() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_mask = EndingSignals();
  for (int s = 1; s < NSIG; ++s) {
    if (sigismember(&action.sa_mask, s) != 1) continue;
    // Only a signal at its default is taken: an ignored one stays ignored, and one that has a
    // handler already (a sanitizer's) keeps it.
    struct sigaction previous {};
    if (sigaction(s, nullptr, &previous) != 0 || previous.sa_handler != SIG_DFL) continue;
    sigaction(s, &action, nullptr);
  }
}

#endif

bool RegisterTemporary(const std::string& path) {
  if (path.size() >= kPathCapacity) return false;
  for (Slot& slot : g_slots) {
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.state.store(kRegistered);
    return true;
  }
  return false;
}

void ForgetTemporary(const std::string& path) {
  for (Slot& slot : g_slots) {
    if (slot.state.load() == kRegistered && path == slot.path) {
      slot.state.store(kFree);
      return;
    }
  }
}

void RemoveRegisteredTemporaries() {
  for (Slot& slot : g_slots) {
    if (slot.state.load() == kRegistered) RemoveTemporaryFile(slot.path);
  }
}

}  // namespace kem
