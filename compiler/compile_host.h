// What the compile driver needs from the program that runs it: the command line and the IDE are
// two hosts of the same driver.
#pragma once

#include <string_view>

#include "common/message_box.h"
#include "common/message_log.h"

namespace kem {

class CompileHost : public MessageBoxHost {
 public:
  virtual MessageLog& Log() = 0;
  virtual void SetMenuItemEnabled(int command_id, bool enabled) = 0;
  virtual void ShowWaitCursor() = 0;
  virtual void ClearCompileNeeded() = 0;
  // Carries out the frame's command "Speichern unter" and returns when it is done.
  virtual void RunSaveAsCommand() = 0;
  // The fit command on the document, run on the caller's thread after a clean compilation.
  virtual void RunFitCommand(std::string_view document_name) = 0;
};

}  // namespace kem
