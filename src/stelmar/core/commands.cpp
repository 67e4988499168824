#include "stelmar/core/commands.h"

#include "stelmar/core/file_ext.h"
#include "stelmar/core/menu.h"
#include "stelmar/core/scan_rules.h"
#include "stelmar/core/selection_dialogs.h"
#include "stelmar/core/settings_dialogs.h"
#include "stelmar/core/stelmar_ini.h"

namespace stelmar {
namespace {

constexpr const char* kErrorCaption = "Stelmar Error Message";

struct WrapCommand {
  int id;
  const char* caption;
  const char* tool;
  const char* dataExtension;  // nullptr: no FILE or procedure selection
};

constexpr WrapCommand kWraps[] = {
    {kCmdWrapModule, "Wrap Module File Selection", "belmont", nullptr},
    {kCmdWrapTransaction, "Wrap Transaction File Selection", "dalmer", nullptr},
    {kCmdWrapProgram, "Wrap Program File Selection", "ardent", ".obj"},
    {kCmdWrapProcedures, "Wrap Procedures File Selection", "corvid", ".lab"},
};

}  // namespace

std::string ProgramName(const std::string& progFile) {
  const std::size_t slash = progFile.rfind('/');
  std::string name = slash == std::string::npos ? progFile : progFile.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

StelmarCommands::StelmarCommands(StelmarPort& port, ToolStarter& starter, std::string iniPath,
                                 std::function<TimeOfDay()> clock)
    : port_(port), starter_(starter), iniPath_(std::move(iniPath)), clock_(std::move(clock)) {}

void StelmarCommands::Start(const std::string& programDirectory) {
  settings_.programDirectory = programDirectory;
  extensions_ = ReadFileExt(settings_.programDirectory);
  ReadStelmarIni(iniPath_, settings_);
  SaveSettings();
}

bool StelmarCommands::Execute(int id) {
  switch (id) {
    case kCmdOpenLib:
      Directories();
      return true;
    case kCmdOpenCopyLib:
      CopyDirectories();
      return true;
    case kCmdParameter:
      Parameter();
      return true;
    case kCmdEditor:
      Editor();
      return true;
    case kCmdMorrel:
      IncludeExpansion();
      return true;
    case kCmdView:
      View();
      return true;
    case kCmdWrapModule:
    case kCmdWrapTransaction:
    case kCmdWrapProgram:
    case kCmdWrapProcedures:
      Wrap(id);
      return true;
    default:
      return false;
  }
}

void StelmarCommands::SaveSettings() {
  if (!WriteStelmarIni(iniPath_, settings_))
    port_.ShowError("Can not open stelmar.ini", kErrorCaption);
}

bool StelmarCommands::NewJobFile() {
  // Without a work directory the name would land in the file system's root.
  if (settings_.WORK_DIR.str().empty()) {
    port_.ShowError("No work directory is set: choose one with Directories", kErrorCaption);
    return false;
  }
  const std::string path = JobFilePath(settings_.WORK_DIR, clock_());
  // Cut to fit, the path would name another file than the one the tool is given.
  if (path.size() > Field::kMaxLength) {
    port_.ShowError("The work directory is too long for a job parameter file:\n" + path,
                    kErrorCaption);
    return false;
  }
  if (!CreateEmptyJobFile(path)) {
    port_.ShowError("Can not open " + path, kErrorCaption);
    return false;
  }
  settings_.jobFile = path;
  exchange_.jobFile = path;
  return true;
}

void StelmarCommands::Directories() {
  exchange_.confirmed = 0;
  DirectoriesDialog dialog(exchange_, port_, settings_);
  port_.RunDirectories(dialog);
  if (exchange_.confirmed != 1) return;
  dialog.Store(settings_);
  SaveSettings();
}

void StelmarCommands::CopyDirectories() {
  exchange_.copyDirs = settings_.COPY_DIR;
  exchange_.confirmed = 0;
  CopyDirectoriesDialog dialog(exchange_);
  port_.RunCopyDirectories(dialog);
  if (exchange_.confirmed != 1) return;
  settings_.COPY_DIR = exchange_.copyDirs;
  SaveSettings();
}

void StelmarCommands::Parameter() {
  exchange_.typeCode = TypeCode(settings_.TYPE);
  exchange_.confirmed = 0;
  ParameterDialog dialog(exchange_);
  port_.RunParameter(dialog);
  if (exchange_.confirmed != 1) return;
  settings_.TYPE = TypeName(exchange_.typeCode);
  SaveSettings();
}

void StelmarCommands::Editor() {
  exchange_.confirmed = 0;
  EditorDialog dialog(exchange_, port_, settings_);
  port_.RunEditor(dialog);
  if (exchange_.confirmed != 1) return;
  settings_.EDITOR = dialog.Value();
  SaveSettings();
}

void StelmarCommands::IncludeExpansion() {
  if (!NewJobFile()) return;
  exchange_.caption = "Morrel File Selection";
  exchange_.confirmed = 0;
  MultiFileDialog dialog(exchange_, port_, settings_.INPUT_DIR, extensions_);
  port_.RunMultiFile(dialog);
  if (exchange_.confirmed != 1) return;
  if (!WriteJobParameters(settings_.jobFile, settings_)) {
    port_.ShowError("Can not open " + settings_.jobFile.str(), kErrorCaption);
    return;
  }
  starter_.Start({settings_.programDirectory.str() + "/morrel", settings_.jobFile.str()});
}

void StelmarCommands::Wrap(int id) {
  const WrapCommand* command = nullptr;
  for (const WrapCommand& wrap : kWraps) {
    if (wrap.id == id) command = &wrap;
  }
  if (command == nullptr || !NewJobFile()) return;

  exchange_.caption = command->caption;
  exchange_.confirmed = 0;
  SingleFileDialog select(exchange_, port_, settings_.OUTPUT_DIR, extensions_);
  port_.RunSingleFile(select);
  if (exchange_.confirmed != 1 || select.Result().empty()) return;
  settings_.PROGFILE = settings_.OUTPUT_DIR.str() + "/" + select.Result();
  settings_.PROGNAME = ProgramName(settings_.PROGFILE);

  if (command->dataExtension != nullptr) {
    exchange_.progName = settings_.PROGNAME;
    exchange_.confirmed = 0;
    ObjectSelectionDialog objects(
        exchange_, port_, settings_.OUTPUT_DIR, settings_.PROGFILE,
        command->id == kCmdWrapProgram ? ScanRule::kFiles : ScanRule::kProcedures);
    port_.RunObjectSelection(objects);
    if (exchange_.confirmed != 1) return;
    settings_.DATAFILE =
        settings_.OUTPUT_DIR.str() + "/" + settings_.PROGNAME.str() + command->dataExtension;
  }

  // The tool would find no parameters: better not to start it at all.
  if (!WriteJobParameters(settings_.jobFile, settings_)) {
    port_.ShowError("Can not open " + settings_.jobFile.str(), kErrorCaption);
    return;
  }
  starter_.Start({settings_.programDirectory.str() + "/" + command->tool, settings_.jobFile.str()});
}

void StelmarCommands::View() {
  exchange_.openFile.fileName = "";
  const auto path = port_.OpenFile(exchange_.openFile, settings_.OUTPUT_DIR);
  if (!path || path->empty()) return;
  exchange_.openFile.fileName = *path;
  starter_.Start({settings_.EDITOR.str(), *path});
}

}  // namespace stelmar
