// Every command id of the IDE in one place, so that no two can collide: the menu's items, the
// commands without a menu item (the fit view, the diagnostic keys) and the recent-file entries.
// The frame dispatches on them, the compile step grays and enables its own commands, and the
// window adapter gives each one its action.
#pragma once

#include <cstddef>

namespace kem {

// The entries of the recently opened files in the "Datei" menu, the most recent first, take the
// ids from kCmdRecentFileFirst on.
inline constexpr std::size_t kRecentFilesMax = 8;

enum CommandId : int {
  kCmdNew = 2,
  kCmdOpen = 3,
  kCmdSave = 4,
  kCmdSaveAs = 5,
  kCmdPrint = 6,
  kCmdExit = 7,
  kCmdUndo = 8,
  kCmdCut = 9,
  kCmdCopy = 10,
  kCmdPaste = 11,
  kCmdDelete = 12,
  kCmdSelectAll = 13,
  kCmdFind = 14,
  kCmdFindNext = 15,
  kCmdReplace = 16,
  kCmdGoToLine = 17,
  kCmdCompileOnly = 18,
  kCmdCompileAndFit = 19,
  kCmdFitOnly = 20,
  kCmdMinimizationOption = 21,
  kCmdViewErrors = 22,
  kCmdViewPinUsage = 23,  // the fit report of the last compilation
  kCmdViewEquations = 24,
  kCmdViewJedec = 25,
  kCmdViewFit = 26,  // no menu item
  kCmdReadGal = 27,
  kCmdProgramGal = 28,
  kCmdVerifyGal = 29,
  kCmdEraseGal = 30,
  kCmdSecurityFuse = 31,
  kCmdProgrammerStatus = 32,
  kCmdFonts = 35,
  kCmdConfigurePort = 36,
  kCmdHelpIndex = 38,
  kCmdHelpSearch = 39,
  kCmdHelpContents = 40,
  kCmdAbout = 41,
  kCmdImportJedec = 42,
  kCmdStartSimulation = 51,
  // Keys without a menu item: the next and the previous diagnostic of the last compilation.
  kCmdNextDiagnostic = 60,
  kCmdPreviousDiagnostic = 61,
  // "Simulation": the function simulation of the last fitted design.
  kCmdFunctionSimulation = 62,
  kCmdImport = 63,
  kCmdRecentFileFirst = 70,
};

}  // namespace kem
