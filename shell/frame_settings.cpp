// The frame's options: the editor font, the minimization level, and writing them to the settings
// file.
#include "shell/frame.h"

#include "shell/menu_table.h"
#include "shell/shell_messages.h"
#include "synthesis/levels.h"

namespace kem {

void Frame::WriteSettings() {
  if (settings_path_.empty()) return;
  Settings settings;
  settings.port = port_;
  settings.minimization_level = minimization_level_;
  settings.font = font_;
  settings.recent_files = recent_files_.Slots();
  settings.highlighting = highlighting_;
  settings.part = part_;
  if (!WriteSettingsFile(settings_path_, settings))
    ui_.ShowMessageBox(shell_messages::kSettingsNotSaved, BoxKind::kFailure, BoxIcon::kWarning,
                       BoxButtons::kOk);
}

void Frame::ChooseEditorFont() {
  // On cancel the same description is made into a new font.
  ui_.ChooseFont(font_);
  line_height_ = ui_.ApplyEditorFont(font_);
}

void Frame::ChooseMinimizationLevel() {
  constexpr int kFirst = window_names::kNoMinimizationButton;
  int remembered = kFirst + minimization_level_;
  ui_.RefreshStatusLine();
  // A click counts as a change even when the dialog is then cancelled.
  const bool ok = ui_.RunMinLevelDialog(remembered, [this, &remembered](int id) {
    remembered = id;
    settings_changed_ = true;
  });
  if (!ok) return;
  minimization_level_ =
      IsMinimizationLevel(remembered - kFirst) ? remembered - kFirst : kDefaultMinimizationLevel;
  ui_.RefreshStatusLine();
}

}  // namespace kem
