// The frame's simulation commands: the checks before the external simulator is started, and the
// function simulation of the last fitted design.
#include "shell/frame.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "common/command_ids.h"
#include "common/format.h"
#include "common/names.h"
#include "device/fitter_messages.h"
#include "shell/shell_messages.h"
#include "shell/waveform_messages.h"

namespace kem {

namespace {

bool Readable(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  return std::ifstream(path, std::ios::binary).is_open();
}

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  char text[16] = {};
  std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
  return text;
}

}  // namespace

void Frame::StartSimulation() {
  if (!CompiledDesignAvailable()) return;
  if (!last_run_ || !last_run_->CompileClean()) {
    ShowMessage(shell_messages::kSimulationImpossible, BoxKind::kRefusal);
    return;
  }
  LaunchSimulation();
}

void Frame::LaunchSimulation() {
  const std::string plugin =
      (std::filesystem::path(start_directory_) / shell_messages::kSimulatorPlugin).string();
  const std::string intermediate = Stem(document_.name()) + std::string(kIntermediateExtension);
  if (!Readable(plugin)) {
    ShowMessage(shell_messages::kPluginNotFound, BoxKind::kFailure);
    return;
  }
  if (!Readable(intermediate)) {
    ShowMessage(FormatText(fitter_messages::kNoIntermediateFile, {intermediate}),
                BoxKind::kRefusal);
    return;
  }
  const std::optional<std::string> launcher = ui_.FindProgram(shell_messages::kJavaLauncher);
  if (!launcher) {
    ShowMessage(shell_messages::kJvmNotFound, BoxKind::kFailure);
    return;
  }
  ui_.RunProgramAndWait(*launcher, {std::string(shell_messages::kJarOption), plugin, intermediate});
}

void Frame::KeepFittedDesign(std::optional<FittedDesign> fitted) {
  if (fitted) {
    WriteJedecForPart(*fitted);
    fitted_ = FittedSnapshot{std::move(*fitted), document_.name(), TimeOfDay()};
  } else {
    fitted_.reset();
  }
  ui_.SetMenuItemEnabled(kCmdFunctionSimulation, fitted_.has_value());
}

void Frame::OpenFunctionSimulation() {
  if (!fitted_) return;
  std::string error;
  std::optional<WaveformModel> model = WaveformModel::Create(fitted_->design, error);
  if (!model) {
    ShowMessage(FormatText(waveform_messages::kNoDevice, {error}), BoxKind::kFailure);
    return;
  }
  const std::string file_name = std::filesystem::path(fitted_->document_name).filename().string();
  ui_.ShowWaveform(std::make_unique<WaveformModel>(std::move(*model)),
                   FormatText(waveform_messages::kTitle, {file_name, fitted_->fit_time}),
                   Stem(fitted_->document_name) + std::string(kVectorExtension));
}

}  // namespace kem
