// Modal message boxes with the program's caption, as the compiler and the fitter ask for them;
// each host shows them its own way.
#pragma once

#include <string_view>

namespace kem {

// The caption of every message box of the program.
inline constexpr std::string_view kBoxCaption = "KEMWin RUZI";

enum class BoxIcon { kNone, kQuestion, kError, kWarning };
enum class BoxButtons { kOk, kYesNoCancel };
enum class BoxAnswer { kOk, kYes, kNo, kCancel };

class MessageBoxHost {
 public:
  virtual ~MessageBoxHost() = default;
  // Returns the button chosen.
  virtual BoxAnswer ShowMessageBox(std::string_view text, BoxIcon icon, BoxButtons buttons) = 0;
};

}  // namespace kem
