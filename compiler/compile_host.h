// What the compile driver needs from the program that runs it: the command line and the IDE are
// two hosts of the same driver. The driver tells its host what happens to the compilation; what
// that means for windows and menus is the host's business.
#pragma once

#include <optional>
#include <string_view>

#include "common/message_box.h"
#include "common/message_log.h"
#include "device/fitter.h"

namespace kem {

class CompileHost : public MessageBoxHost {
 public:
  virtual MessageLog& Log() = 0;

  // A compilation begins: nothing that reads or writes its outputs may start until it has ended.
  virtual void CompilationStarted() {}
  // The source has been read and its outputs written as far as they got: they now belong to the
  // text that was compiled, whatever the diagnostics say.
  virtual void SourceCompiled() {}
  // The compilation is over, after its fit if one followed, also when memory ran out.
  virtual void CompilationEnded() {}
  // The source carries an output's name, and the user agreed to save it under another name
  // before compiling; returns when that is done or given up.
  virtual void SaveUnderAnotherNameRequested() {}

  // Fits the document's intermediate file on the caller's thread, after a clean compilation; the
  // fit's result when it succeeded.
  virtual std::optional<FittedDesign> RunFit(std::string_view document_name) = 0;
};

}  // namespace kem
