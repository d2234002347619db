// The frame's simulation command: the checks before the external simulator is started.
#include "shell/frame.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "common/format.h"
#include "common/names.h"
#include "device/fitter_messages.h"
#include "shell/shell_messages.h"

namespace kem {

namespace msg = shell_messages;

namespace {

bool Readable(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  return std::ifstream(path, std::ios::binary).is_open();
}

}  // namespace

void Frame::StartSimulation() {
  if (!CompiledDesignAvailable()) return;
  if (!last_run_ || !last_run_->CompileClean()) {
    ShowMessage(msg::kSimulationImpossible);
    return;
  }
  LaunchSimulation();
}

void Frame::LaunchSimulation() {
  const std::string plugin =
      (std::filesystem::path(start_directory_) / msg::kSimulatorPlugin).string();
  const std::string intermediate = Stem(document_.name()) + std::string(kIntermediateExtension);
  if (!Readable(plugin)) {
    ShowMessage(msg::kPluginNotFound);
    return;
  }
  if (!Readable(intermediate)) {
    ShowMessage(FormatText(fitter_messages::kNoIntermediateFile, {intermediate}));
    return;
  }
  const std::optional<std::string> launcher = ui_.FindProgram(msg::kJavaLauncher);
  if (!launcher) {
    ShowMessage(msg::kJvmNotFound);
    return;
  }
  ui_.RunProgramAndWait(*launcher, {std::string(msg::kJarOption), plugin, intermediate});
}

}  // namespace kem
