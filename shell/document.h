// The one document of the editor: its name and title, loading and saving with a backup copy, and
// the view windows of the files that the compiler and the fitter write next to it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "shell/frame_ui.h"
#include "shell/settings.h"
#include "shell/text_encoding.h"

namespace kem {

// View kinds, each with its own window slot.
inline constexpr int kViewEquations = 0;
inline constexpr int kViewErrors = 1;
inline constexpr int kViewJedec = 2;
inline constexpr int kViewFit = 3;
inline constexpr int kViewPinUsage = 4;  // a text of the frame's, not a file
inline constexpr int kViewKinds = 5;
inline constexpr int kAllViews = 5;  // the selector of CloseViews that closes every view

// The view kind a command opens; -1 for any other command.
int ViewKindOfCommand(int command_id);

std::string_view ViewExtension(int kind);

// The file a view of `kind` shows. The compiler writes the error file as "ERR", so the error view
// takes that name when no file with "err" exists.
std::string ViewFileName(std::string_view document_name, int kind);

// The name a save moves the previous file to: the extension (found in the last 11 characters, and
// not behind a path separator) replaced by "bak". None when there is no extension.
std::optional<std::string> BackupName(std::string_view document_name);

struct LoadedText {
  std::string bytes;  // the file up to its first zero byte
  DecodedText decoded;
};

// Reads a file for the editor or a view; false with the message for the user.
bool LoadTextFile(const std::string& file_name, LoadedText& loaded, std::string& message);

// Writes `bytes` as the file's whole contents and keeps the previous file under its backup name;
// false with the message for the user, and then no file has changed.
bool WriteDocumentFile(const std::string& file_name, std::string_view bytes, std::string& message);

FileDialogRequest OpenDialogRequest();
FileDialogRequest SaveDialogRequest(std::string_view initial_name);
FileDialogRequest ImportJedecDialogRequest();

class Document {
 public:
  explicit Document(FrameUi& ui) : ui_(ui) {}

  const std::string& name() const { return name_; }
  const TextFormat& format() const { return format_; }

  // "KEMWin RUZI - name", with "(ohne Namen)" for an unnamed document, or with " *" appended to
  // the name (even an empty one) once the text was changed.
  std::string Title(bool modified) const;
  void SetDocumentTitle(bool modified) { ui_.SetTitle(Title(modified)); }

  // An empty, unnamed document.
  void New();
  // An unnamed document with `text`, read from the file `origin`, which its title names.
  void NewFromText(std::string_view text, std::string origin);

  // The open dialog and the load; true when a file was loaded. A cancelled or failed open changes
  // nothing.
  bool OpenDocument();
  bool OpenFile(const std::string& file_name);

  // Saves under the document's name, asking for one when there is none or when `ask_for_name`;
  // true on success. The name changes only with a successful save.
  bool SaveDocument(bool ask_for_name);

  void OpenView(int kind, bool compile_needed, const FontDescription& font);
  void CloseViews(int selector);
  // A view of a text that no file holds.
  void ShowTextView(int kind, std::string_view caption, const std::string& text,
                    const FontDescription& font);
  void ViewClosed(int kind);
  bool view_open(int kind) const { return views_[kind]; }

 private:
  void ShowMessage(const std::string& text, BoxKind kind);

  FrameUi& ui_;
  std::string name_;
  std::string origin_;  // where an unnamed document's text came from
  TextFormat format_;
  // The text as the file holds it and the file's bytes: an unchanged text is written back as
  // those bytes, whatever the editor made of its line ends.
  std::string saved_text_;
  std::string saved_bytes_;
  std::array<bool, kViewKinds> views_{};
};

}  // namespace kem
