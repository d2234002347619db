#include "common/interrupt_cleanup.h"

#ifdef _WIN32
#include <windows.h>

#include "common/windows_paths.h"
#else
#include <unistd.h>
#endif

#include <array>
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

void RemoveFile(const char* path) {
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

constexpr std::array<int, 4> kInterruptSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void RemoveFile(const char* path) {
  ::unlink(path);
}

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
  sigset_t blocked;
  sigemptyset(&blocked);
  for (int s : kInterruptSignals) sigaddset(&blocked, s);
  pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
}

InterruptBlock::~InterruptBlock() {
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void InstallInterruptCleanup() {
  for (int s : kInterruptSignals) {
    struct sigaction previous {};
    if (sigaction(s, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (int other : kInterruptSignals) sigaddset(&action.sa_mask, other);
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
    if (slot.state.load() == kRegistered) RemoveFile(slot.path);
  }
}

}  // namespace kem
