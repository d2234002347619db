// Menu command ids of the main window, shared by the compile driver (which grays and enables its
// own commands) and the frame.
#pragma once

namespace kem {

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
  kCmdViewEquations = 24,
  kCmdViewJedec = 25,
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
  kCmdStartSimulation = 51,
};

}  // namespace kem
