#include "shell/menu_table.h"

#include <algorithm>
#include <array>

#include "common/command_ids.h"

namespace kem {

namespace {

constexpr MenuEntry kSeparator{};

constexpr std::array kFile = {
    MenuEntry{kCmdNew, "&Neu"},
    MenuEntry{kCmdOpen, "Ö&ffnen ..."},
    MenuEntry{kCmdImport, "&Importieren ..."},
    MenuEntry{kCmdImportJedec, "&JEDEC-Datei einlesen ..."},
    MenuEntry{kCmdSave, "&Speichern"},
    MenuEntry{kCmdSaveAs, "Speichern &unter ..."},
    kSeparator,
    MenuEntry{kCmdPrint, "&Druckerausgabe"},
    kSeparator,
    MenuEntry{kCmdExit, "&Ende"},
};

constexpr std::array kEdit = {
    MenuEntry{kCmdUndo, "&Widerrufen\tALT-Backspace"},
    kSeparator,
    MenuEntry{kCmdCut, "&Ausschneiden\tShift-Del"},
    MenuEntry{kCmdCopy, "&Kopieren\tCtrl-Ins"},
    MenuEntry{kCmdPaste, "&Einfügen\tShift-Ins"},
    kSeparator,
    MenuEntry{kCmdDelete, "&Löschen\tDel"},
    kSeparator,
    MenuEntry{kCmdSelectAll, "Alles &markieren"},
    kSeparator,
    MenuEntry{kCmdFind, "&Suchen"},
    MenuEntry{kCmdFindNext, "Weitersuc&hen"},
    MenuEntry{kCmdReplace, "E&rsetzen"},
    kSeparator,
    MenuEntry{kCmdGoToLine, "Springe zu &Zeile .."},
};

constexpr std::array kViews = {
    MenuEntry{kCmdViewErrors, "&Fehler"},
    MenuEntry{kCmdViewEquations, "&Boolesche Gleichungen"},
    MenuEntry{kCmdViewJedec, "&Jedec"},
    MenuEntry{kCmdViewPinUsage, "Bele&gung"},
};

constexpr std::array kCompile = {
    MenuEntry{kCmdCompileAndFit, "&Compilieren und Fitten"},
    MenuEntry{kCmdCompileOnly, "&Nur Compilieren"},
    MenuEntry{kCmdFitOnly, "Nur Fitten"},
    MenuEntry{kCmdMinimizationOption, "Minimierungs&option"},
};

constexpr std::array kProgram = {
    MenuEntry{kCmdReadGal, "GAL &lesen"},
    MenuEntry{kCmdVerifyGal, "GAL &verifizieren"},
    MenuEntry{kCmdProgramGal, "GAL &programmieren"},
    MenuEntry{kCmdEraseGal, "GAL lö&schen"},
    MenuEntry{kCmdSecurityFuse, "Security &Fuse setzen"},
    MenuEntry{kCmdProgrammerStatus, "Programmer Status &zeigen"},
};

constexpr std::array kSimulation = {
    MenuEntry{kCmdStartSimulation, "&Start Simulation"},
    MenuEntry{kCmdFunctionSimulation, "&Funktionssimulation ..."},
};

constexpr std::array kOptions = {
    MenuEntry{kCmdFonts, "&Schriftarten"},
    MenuEntry{kCmdConfigurePort, "Schnittstelle &konfigurieren"},
};

constexpr std::array kHelp = {
    MenuEntry{kCmdHelpContents, "&Inhalt"},
    MenuEntry{kCmdHelpSearch, "&Suchen"},
    kSeparator,
    MenuEntry{kCmdAbout, "Ü&ber ..."},
};

constexpr std::array kMenu = {
    MenuPopup{"&Datei", kFile},
    MenuPopup{"&Editieren", kEdit},
    MenuPopup{"&Anzeigen", kViews},
    MenuPopup{"&Compilieren", kCompile},
    MenuPopup{"&Programmieren", kProgram},
    MenuPopup{"&Simulation", kSimulation},
    MenuPopup{"&Optionen", kOptions},
    MenuPopup{"&Hilfe", kHelp},
};

// Ctrl+Z, Ctrl+X, Ctrl+C and Ctrl+V arrive as the control characters 0x1A, 0x18, 0x03 and 0x16.
constexpr std::array kAccelerators = {
    Accelerator{"Ctrl+Z", kCmdUndo},  Accelerator{"Alt+Backspace", kCmdUndo},
    Accelerator{"Ctrl+X", kCmdCut},   Accelerator{"Shift+Del", kCmdCut},
    Accelerator{"Ctrl+C", kCmdCopy},  Accelerator{"Ctrl+Ins", kCmdCopy},
    Accelerator{"Ctrl+V", kCmdPaste}, Accelerator{"Shift+Ins", kCmdPaste},
    Accelerator{"F1", kCmdHelpIndex},
};

constexpr std::array kConventionalKeys = {
    Accelerator{"Ctrl+N", kCmdNew},      Accelerator{"Ctrl+O", kCmdOpen},
    Accelerator{"Ctrl+S", kCmdSave},     Accelerator{"Ctrl+F", kCmdFind},
    Accelerator{"F3", kCmdFindNext},     Accelerator{"Ctrl+H", kCmdReplace},
    Accelerator{"Ctrl+G", kCmdGoToLine}, Accelerator{"F9", kCmdCompileAndFit},
};

constexpr std::array<int, 14> kStartUpGrayed = {
    kCmdViewErrors,       kCmdViewEquations,
    kCmdViewJedec,        kCmdCompileAndFit,
    kCmdCompileOnly,      kCmdFitOnly,
    kCmdVerifyGal,        kCmdProgramGal,
    kCmdProgrammerStatus, kCmdStartSimulation,
    kCmdReadGal,          kCmdEraseGal,
    kCmdSecurityFuse,     kCmdFunctionSimulation,
};

}  // namespace

std::span<const MenuPopup> MainMenu() {
  return kMenu;
}

std::span<const Accelerator> Accelerators() {
  return kAccelerators;
}

std::vector<Accelerator> AllKeys() {
  std::vector<Accelerator> keys(kAccelerators.begin(), kAccelerators.end());
  for (const Accelerator& key : kConventionalKeys) {
    const bool taken = std::any_of(kAccelerators.begin(), kAccelerators.end(),
                                   [&key](const Accelerator& a) { return a.key == key.key; });
    if (!taken) keys.push_back(key);
  }
  return keys;
}

std::span<const int> StartUpGrayedItems() {
  return kStartUpGrayed;
}

}  // namespace kem
