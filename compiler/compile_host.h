// What the compile driver needs from the program that runs it: the command line and the IDE are
// two hosts of the same driver.
#pragma once

#include <string_view>

#include "common/message_log.h"

namespace kem {

enum class BoxIcon { kNone, kQuestion, kError, kWarning };
enum class BoxButtons { kOk, kYesNoCancel };
enum class BoxAnswer { kOk, kYes, kNo, kCancel };

class CompileHost {
 public:
  virtual ~CompileHost() = default;

  virtual MessageLog& Log() = 0;
  // A modal message box with the program's caption; returns the button chosen.
  virtual BoxAnswer ShowMessageBox(std::string_view text, BoxIcon icon, BoxButtons buttons) = 0;
  virtual void SetMenuItemEnabled(int command_id, bool enabled) = 0;
  virtual void ShowWaitCursor() = 0;
  virtual void ClearCompileNeeded() = 0;
  // Carries out the frame's command "Speichern unter" and returns when it is done.
  virtual void RunSaveAsCommand() = 0;
  // The fit command on the document, run on the caller's thread after a clean compilation.
  virtual void RunFitCommand(std::string_view document_name) = 0;
};

}  // namespace kem
