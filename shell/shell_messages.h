// The editor shell's own texts: captions, titles, questions, messages and dialog texts.
#pragma once

#include <string_view>

#include "common/message_box.h"

namespace kem::shell_messages {

inline constexpr std::string_view kCaption = kBoxCaption;
inline constexpr std::string_view kTitleFormat = "%s - %s";
inline constexpr std::string_view kNoName = "(ohne Namen)";
// An unnamed document read back from a JEDEC file.
inline constexpr std::string_view kReadBackFrom = "(ohne Namen, aus %s)";
inline constexpr std::string_view kModifiedMark = " *";

inline constexpr std::string_view kAskToSave = "Datei %s wurde verändert. Speichern?";
inline constexpr std::string_view kCannotOpen = "Datei %s konnte nicht geöffnet werden.";
inline constexpr std::string_view kFileEmpty = "Datei %s ist leer";
inline constexpr std::string_view kWriteFailed = "Fehler beim Schreiben von %s";
inline constexpr std::string_view kCompileFirst = "Datei muss zunächst compiliert werden";
inline constexpr std::string_view kPinUsageCaption = "Belegung";
inline constexpr std::string_view kSimulationImpossible =
    "Simulation nicht möglich. Fehler beim Compilieren";
inline constexpr std::string_view kCapacityReached = "Kapazitätsgrenzen sind erreicht";
inline constexpr std::string_view kTextNotFound = "Text nicht gefunden!";
inline constexpr std::string_view kSettingsNotSaved = "Ini-File konnte nicht gespeichert werden!";

inline constexpr std::string_view kOpenDialogTitle = "Datei öffnen";
inline constexpr std::string_view kSaveDialogTitle = "Datei speichern unter...";
inline constexpr std::string_view kImportJedecDialogTitle = "JEDEC-Datei einlesen";
inline constexpr std::string_view kSourceFilter = "(*.gal*, *.kem*, *.mds*)";
inline constexpr std::string_view kSourcePattern = "*.gal*; *.kem*; *.mds*";
inline constexpr std::string_view kJedecFilter = "(*.jed*)";
inline constexpr std::string_view kJedecPattern = "*.jed*";
inline constexpr std::string_view kAllFilter = "(*.*)";
inline constexpr std::string_view kAllPattern = "*.*";
// Another tool's source, translated into a new design.
inline constexpr std::string_view kImportDialogTitle = "Datei importieren";
inline constexpr std::string_view kImportFilter = "CUPL, GALasm (*.pld)";
inline constexpr std::string_view kImportPattern = "*.pld";
inline constexpr std::string_view kSaveFilter = "(*.kem)";
inline constexpr std::string_view kSavePattern = "*.kem*";

inline constexpr std::string_view kStatusLine = "Zeile: %d";
// Beside the line number while the window waits for a compilation to end before it closes.
inline constexpr std::string_view kClosePending = "Schließen nach dem Compilieren …";
inline constexpr std::string_view kLogCaption = "LOG";

// Buttons of the message boxes, as the platform labels them in German.
inline constexpr std::string_view kButtonYes = "Ja";
inline constexpr std::string_view kButtonNo = "Nein";
inline constexpr std::string_view kButtonCancel = "Abbrechen";
inline constexpr std::string_view kButtonOk = "OK";

inline constexpr std::string_view kAboutPurpose = "Entwicklungsumgebung für GAL-Bausteine";
inline constexpr std::string_view kAboutVersion = "Version %s";
inline constexpr std::string_view kAboutDevices = "Unterstützte Bausteine: %s";

inline constexpr std::string_view kButtonAbort = "Abbruch";  // of the program's own dialogs

inline constexpr std::string_view kGoToLineCaption = "Neue Zeilennummer";
inline constexpr std::string_view kGoToLineLabel = "Zeile:";
inline constexpr std::string_view kMinLevelLabel = "Eingestellter Minimierungslevel";
inline constexpr std::string_view kMinLevelGroup = "&Minimierung";
inline constexpr std::string_view kMinLevelButtons[] = {"&Keine", "&Komplett", "&Espresso",
                                                        "M&inimal"};

// The find and replace dialogs, labelled as the platform's own.
inline constexpr std::string_view kFindCaption = "Suchen";
inline constexpr std::string_view kReplaceCaption = "Ersetzen";
inline constexpr std::string_view kFindLabel = "Suchen &nach:";
inline constexpr std::string_view kReplaceLabel = "Ersetzen &durch:";
inline constexpr std::string_view kFindNextButton = "&Weitersuchen";
inline constexpr std::string_view kReplaceButton = "&Ersetzen";
inline constexpr std::string_view kReplaceAllButton = "&Alle ersetzen";
inline constexpr std::size_t kSearchTextCapacity = 255;  // bytes, besides the terminating zero

// The simulator: a Java program next to the settings file, started with the intermediate file.
inline constexpr std::string_view kSimulatorPlugin = "voruzo.jar";
#ifdef _WIN32
inline constexpr std::string_view kJavaLauncher = "javaw.exe";
#else
inline constexpr std::string_view kJavaLauncher = "java";
#endif
inline constexpr std::string_view kJarOption = "-jar";
inline constexpr std::string_view kPluginNotFound = "KEM Simulations-Plugin nicht gefunden";
inline constexpr std::string_view kJvmNotFound =
    "JVM nicht gefunden, wird für KEM Simulation benötigt";

// Where the settings file and the help file are looked for.
inline constexpr std::string_view kHelpFileName = "kemhelp.chm";

}  // namespace kem::shell_messages
