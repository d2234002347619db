#include "shell/help.h"

#include <filesystem>

#include "shell/shell_messages.h"

namespace kem {

std::optional<std::string> HelpFileIn(const std::string& directory) {
  const std::filesystem::path path =
      std::filesystem::path(directory) / shell_messages::kHelpFileName;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  return path.string();
}

void RunHelpCommand(FrameUi& ui, HelpRequest request, const std::string& directory) {
  if (const std::optional<std::string> file = HelpFileIn(directory)) {
    if (ui.OpenHelpFile(*file, request)) return;
  }
  ui.ShowManual(request);
}

}  // namespace kem
