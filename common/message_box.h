// Modal message boxes with the program's caption, as the compiler and the fitter ask for them;
// each host shows them its own way.
#pragma once

#include <string_view>

namespace kem {

// The caption of every message box of the program.
inline constexpr std::string_view kBoxCaption = "KEMWin RUZI";

// What a box means for the work asked for, told where it is raised: a host without a user to
// answer (the command line) decides from it alone whether the run failed.
enum class BoxKind {
  kQuestion,     // asks the user to decide
  kRefusal,      // a file handed in cannot be used as it is: nothing was done with it
  kFailure,      // the work was not done or not written
  kInformation,  // tells, changes nothing of the outcome
};

enum class BoxIcon { kNone, kQuestion, kError, kWarning };
enum class BoxButtons { kOk, kYesNoCancel };
enum class BoxAnswer { kOk, kYes, kNo, kCancel };

class MessageBoxHost {
 public:
  virtual ~MessageBoxHost() = default;
  // Returns the button chosen.
  virtual BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                                   BoxButtons buttons) = 0;
};

}  // namespace kem
