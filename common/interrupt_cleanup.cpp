#include "common/interrupt_cleanup.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace kem {

namespace {

constexpr std::array<int, 4> kInterruptSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
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

void OnInterrupt(int signal_number) {
  RemoveRegisteredTemporaries();
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

InterruptBlock::InterruptBlock() {
  sigset_t blocked;
  sigemptyset(&blocked);
  for (int s : kInterruptSignals) sigaddset(&blocked, s);
  pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
}

InterruptBlock::~InterruptBlock() {
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

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
    if (slot.state.load() == kRegistered) ::unlink(slot.path);
  }
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

}  // namespace kem
