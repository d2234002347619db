// The frame's recent files and dropped files: both open a design as "Öffnen" does.
#include "shell/frame.h"

#include <filesystem>
#include <system_error>

namespace kem {

void Frame::RememberDocument() {
  if (document_.name().empty()) return;
  recent_files_.Add(document_.name());
  ui_.SetRecentFiles(recent_files_.MenuItems());
}

void Frame::OpenRecentFile(int command_id) {
  const std::string name = recent_files_.NameOfCommand(command_id);
  if (name.empty() || !AskToSave()) return;
  if (document_.OpenFile(name)) {
    DocumentReplaced();
  } else if (std::error_code error; !std::filesystem::exists(name, error)) {
    // The load has said that it cannot be opened; an entry that leads nowhere goes.
    recent_files_.Remove(name);
    ui_.SetRecentFiles(recent_files_.MenuItems());
  }
}

bool Frame::OpenDroppedFile(const std::string& file_name) {
  if (!IsDesignFileName(file_name)) return false;
  if (AskToSave() && document_.OpenFile(file_name)) DocumentReplaced();
  return true;
}

}  // namespace kem
