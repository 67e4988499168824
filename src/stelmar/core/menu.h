#pragma once
// The main window's menu: command ids, texts and the hint the status bar shows
// while an item is highlighted.

#include <vector>

namespace stelmar {

enum CommandId : int {
  kCmdOpenLib = 24332,
  kCmdOpenCopyLib = 101,
  kCmdExit = 24310,
  kCmdMorrel = 102,
  kCmdView = 103,
  kCmdEditor = 104,
  kCmdParameter = 105,
  kCmdWrapProgram = 106,
  kCmdWrapModule = 107,
  kCmdWrapProcedures = 108,
  kCmdWrapTransaction = 109,
  kCmdHelpContents = 2001,
  kCmdHelpUsing = 2002,
  kCmdAbout = 2009,
};

struct MenuItem {
  const char* popup;  // the top-level item it belongs to; nullptr: itself top-level
  int id;             // 0: a separator
  const char* text;
  const char* hint;
};

// In menu order.
const std::vector<MenuItem>& MainMenu();

}  // namespace stelmar
