#pragma once
// The DOSBox configuration of one run: the template cut after its [autoexec]
// line, the tool directories mounted as drives, the base directory as x:, the
// tool calls, and full speed.

#include <string>
#include <string_view>
#include <vector>

#include "korvane/core/run/tool_command.h"

namespace korvane {

// The name of both the template and the per-run configuration.
inline constexpr std::string_view kDosBoxConfigName = "DOSBox.config";

// The template's lines up to its "[autoexec]" line (a whole line, case
// ignored), then "[autoexec]". A template without that line, or with it first,
// keeps all its lines.
std::vector<std::string> CutAfterAutoexec(const std::vector<std::string>& templateLines);

// "cycles=max" in place of the first cycles line, or at the end when none.
void SetCyclesMax(std::vector<std::string>& lines);

// The configuration for a run of the single tool at toolPath: its directory
// as c:, the base directory as x:, "c:\<tool> last.xml", exit.
std::vector<std::string> SingleRunConfig(const std::vector<std::string>& templateLines,
                                         std::string_view toolPath);

// The batch lines rewritten for DOSBox: every tool directory (of the lines
// that begin with a double quote) gets a drive letter from c on in
// case-insensitive order, the quoted tool paths become "<letter>:\<tool>", and
// one mount line per directory is put in front, the last directory's first.
std::vector<std::string> DosBoxBatchLines(const std::vector<std::string>& batchLines);

// The configuration for a multi-entity run of batchLines ("ECHO ON" included).
std::vector<std::string> MultiEntityConfig(const std::vector<std::string>& templateLines,
                                           const std::vector<std::string>& batchLines);

// DOSBox with the per-run configuration: "-conf DOSBox.config -noconsole -exit".
ToolCommand DosBoxRunCommand(const std::string& dosBoxExecutable);

}  // namespace korvane
