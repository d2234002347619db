// Where the minimizer spends its time: each step reports how long it ran to a timer that a
// benchmark attaches to the synthesis context. Without one, a timed step costs one null check.
#pragma once

#include <array>
#include <chrono>

namespace kem {

// kLevel holds the steps of its level: it is the whole minimization of the on and off covers.
enum class MinimizerStep {
  kTruthTable,      // expanding the expression into its truth table
  kMintermCovers,   // the on-set and off-set: row sets for levels 1 and 2, the level-0 result
  kLevel,           // the level's minimization of those covers
  kMergePasses,     // level 1: the prime implicants
  kCoverSelection,  // level 1: choosing the primes that cover the function
  kCofactorMerge,   // level 2: combining the minimized cofactors
};
inline constexpr int kMinimizerSteps = 6;

class StepTimer {
 public:
  virtual ~StepTimer() = default;
  virtual void StepDone(MinimizerStep step, std::chrono::steady_clock::duration spent) = 0;
};

// The sum of every run of each step and how often it ran.
class StepTotals final : public StepTimer {
 public:
  void StepDone(MinimizerStep step, std::chrono::steady_clock::duration spent) override {
    const auto at = static_cast<std::size_t>(step);
    spent_[at] += spent;
    ++runs_[at];
  }
  double seconds(MinimizerStep step) const {
    return std::chrono::duration<double>(spent_[static_cast<std::size_t>(step)]).count();
  }
  long runs(MinimizerStep step) const { return runs_[static_cast<std::size_t>(step)]; }

 private:
  std::array<std::chrono::steady_clock::duration, kMinimizerSteps> spent_{};
  std::array<long, kMinimizerSteps> runs_{};
};

// Times the scope it lives in as one run of the step, when there is a timer.
class TimedStep {
 public:
  TimedStep(StepTimer* timer, MinimizerStep step) : timer_(timer), step_(step) {
    if (timer_) start_ = std::chrono::steady_clock::now();
  }
  ~TimedStep() {
    if (timer_) timer_->StepDone(step_, std::chrono::steady_clock::now() - start_);
  }
  TimedStep(const TimedStep&) = delete;
  TimedStep& operator=(const TimedStep&) = delete;

 private:
  StepTimer* timer_;
  MinimizerStep step_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace kem
