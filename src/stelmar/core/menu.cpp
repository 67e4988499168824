#include "stelmar/core/menu.h"

namespace stelmar {

const std::vector<MenuItem>& MainMenu() {
  static const std::vector<MenuItem> kMenu = {
      {"&File", kCmdOpenLib, "&Open Lib...", "Sets Directories"},
      {"&File", kCmdOpenCopyLib, "Open &Copy Lib...", "Sets Copy Directories"},
      {"&File", 0, "", ""},
      {"&File", kCmdExit, "E&xit\tAlt+F4", "Quits Stelmar "},
      {nullptr, kCmdMorrel, "&Morrel", "Includes Copies"},
      {"&Functions", kCmdWrapTransaction, "Wrap &Transaction", "Starts dalmer"},
      {"&Functions", kCmdWrapProgram, "&Wrap Program", "Starts ardent"},
      {"&Functions", kCmdWrapModule, "Wrap &Module", "Starts belmont"},
      {"&Functions", kCmdWrapProcedures, "Wrap &Procedures", "Starts corvid"},
      {"&Options", kCmdParameter, "&Parameter", "Sets Type, Version and Mode of Program"},
      {"&Options", kCmdEditor, "&Editor", "Sets Editor for View"},
      {nullptr, kCmdView, "&View", "Starts lumbra.exe"},
      {"&Help", kCmdHelpContents, "&Contents", "Help table of contents"},
      {"&Help", kCmdHelpUsing, "&Using help", "Help on using online Help"},
      {"&Help", 0, "", ""},
      {"&Help", kCmdAbout, "&About...", "About the Stelmar application"},
  };
  return kMenu;
}

}  // namespace stelmar
