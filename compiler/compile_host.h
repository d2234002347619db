// What the compile driver needs from the program that runs it: the command line and the IDE are
// two hosts of the same driver. The driver tells its host what happens to the compilation; what
// that means for windows and menus is the host's business.
#pragma once

#include "common/message_box.h"
#include "common/message_log.h"

namespace kem {

class CompileHost : public MessageBoxHost {
 public:
  virtual MessageLog& Log() = 0;

  // A compilation begins: nothing that reads or writes its outputs may start until it has ended.
  virtual void CompilationStarted() {}
  // The source has been read and its outputs written as far as they got: they now belong to the
  // text that was compiled, whatever the diagnostics say.
  virtual void SourceCompiled() {}
  // The compilation is over, after its fit if one followed, also when memory ran out. The fit
  // runs on the driver's thread; its boxes and lines come to the host as the compilation's do.
  virtual void CompilationEnded() {}
  // The source carries an output's name, and the user agreed to save it under another name
  // before compiling; returns when that is done or given up.
  virtual void SaveUnderAnotherNameRequested() {}
};

}  // namespace kem
