// The editor shell's own texts: captions, titles, questions, messages and dialog texts.
#pragma once

#include <string_view>

#include "common/message_box.h"

namespace kem::shell_messages {

inline constexpr std::string_view kCaption = kBoxCaption;
inline constexpr std::string_view kTitleFormat = "%s - %s";
inline constexpr std::string_view kNoName = "(ohne Namen)";
inline constexpr std::string_view kModifiedMark = " *";

inline constexpr std::string_view kAskToSave = "Datei %s wurde verändert. Speichern?";
inline constexpr std::string_view kCannotOpen = "Datei %s konnte nicht geöffnet werden.";
inline constexpr std::string_view kFileEmpty = "Datei %s ist leer";
inline constexpr std::string_view kWriteFailed = "Fehler beim Schreiben von %s";
inline constexpr std::string_view kCompileFirst = "Datei muss zunächst compiliert werden";
inline constexpr std::string_view kSimulationImpossible =
    "Simulation nicht möglich. Fehler beim Compilieren";
inline constexpr std::string_view kCapacityReached = "Kapazitätsgrenzen sind erreicht";

inline constexpr std::string_view kOpenDialogTitle = "Datei öffnen";
inline constexpr std::string_view kSaveDialogTitle = "Datei speichern unter...";
inline constexpr std::string_view kSourceFilter = "(*.gal*, *.kem*, *.mds*)";
inline constexpr std::string_view kSourcePattern = "*.gal*; *.kem*; *.mds*";
inline constexpr std::string_view kJedecFilter = "(*.jed*)";
inline constexpr std::string_view kJedecPattern = "*.jed*";
inline constexpr std::string_view kAllFilter = "(*.*)";
inline constexpr std::string_view kAllPattern = "*.*";
inline constexpr std::string_view kSaveFilter = "(*.kem)";
inline constexpr std::string_view kSavePattern = "*.kem*";
inline constexpr std::string_view kDefaultExtension = "kem";

inline constexpr std::string_view kStatusLine = "Zeile: %d";
inline constexpr std::string_view kLogCaption = "LOG";

// Buttons of the message boxes, as the platform labels them in German.
inline constexpr std::string_view kButtonYes = "Ja";
inline constexpr std::string_view kButtonNo = "Nein";
inline constexpr std::string_view kButtonCancel = "Abbrechen";
inline constexpr std::string_view kButtonOk = "OK";

inline constexpr std::string_view kAboutPurpose = "Entwicklungsumgebung für GAL-Bausteine";
inline constexpr std::string_view kAboutVersion = "Version %s";
inline constexpr std::string_view kAboutDevices = "Unterstützte Bausteine: %s";

// Where the settings file and the help file are looked for.
inline constexpr std::string_view kHelpFileName = "kemhelp.chm";

}  // namespace kem::shell_messages
