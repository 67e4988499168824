#include "korvane/core/run/dosbox_config.h"

#include <algorithm>

#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/common/text.h"

namespace korvane {

namespace {

constexpr std::string_view kAutoexec = "[autoexec]";

std::size_t LastSeparator(std::string_view path) {
#ifdef _WIN32
  return path.find_last_of("\\/:");
#else
  return path.rfind('/');
#endif
}

// The base directory (DOSBox's current directory) as x:, and onto it.
void MountBase(std::vector<std::string>& lines) {
  lines.push_back("mount x: .");
  lines.push_back("x:");
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return ToUpper(a) < ToUpper(b);
}

// The directory of a path with its trailing separator, and the name after it.
std::string DirectoryOf(std::string_view path) {
  const std::size_t at = LastSeparator(path);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string FileNameOf(std::string_view path) {
  const std::size_t at = LastSeparator(path);
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

}  // namespace

std::vector<std::string> CutAfterAutoexec(const std::vector<std::string>& templateLines) {
  std::vector<std::string> lines = templateLines;
  const auto found = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return EqualsNoCase(line, kAutoexec);
  });
  if (found != lines.end() && found != lines.begin()) lines.erase(found, lines.end());
  lines.emplace_back(kAutoexec);
  return lines;
}

void SetCyclesMax(std::vector<std::string>& lines) {
  KeyedLines keyed(std::move(lines));
  keyed.SetValue("cycles", "max");
  lines = keyed.Lines();
}

std::vector<std::string> SingleRunConfig(const std::vector<std::string>& templateLines,
                                         std::string_view toolPath) {
  std::vector<std::string> lines = CutAfterAutoexec(templateLines);
  lines.push_back("mount c: \"" + DirectoryOf(toolPath) + "\"");
  MountBase(lines);
  lines.push_back("c:\\" + FileNameOf(toolPath) + " last.xml");
  lines.push_back("exit");
  SetCyclesMax(lines);
  return lines;
}

std::vector<std::string> DosBoxBatchLines(const std::vector<std::string>& batchLines) {
  const auto isToolLine = [](const std::string& line) {
    return !line.empty() && line.front() == '"';
  };
  const auto toolPath = [](const std::string& line) {
    const std::size_t last = line.rfind('"');
    return last == 0 ? std::string() : line.substr(1, last - 1);
  };
  std::vector<std::string> directories;
  for (const std::string& line : batchLines) {
    if (!isToolLine(line)) continue;
    std::string directory = DirectoryOf(toolPath(line));
    const auto at = std::lower_bound(directories.begin(), directories.end(), directory, LessNoCase);
    if (at == directories.end() || !EqualsNoCase(*at, directory)) {
      directories.insert(at, std::move(directory));
    }
  }
  const auto letterOf = [&](const std::string& directory) {
    const auto at = std::lower_bound(directories.begin(), directories.end(), directory, LessNoCase);
    return static_cast<char>('c' + (at - directories.begin()));
  };

  std::vector<std::string> lines;
  for (auto it = directories.rbegin(); it != directories.rend(); ++it) {
    lines.push_back(std::string("mount ") + letterOf(*it) + ": \"" + *it + "\"");
  }
  for (const std::string& line : batchLines) {
    if (!isToolLine(line)) {
      lines.push_back(line);
      continue;
    }
    const std::string path = toolPath(line);
    const std::size_t last = line.rfind('"');
    const std::string rest = line.substr(last + 1);
    lines.push_back(std::string(1, letterOf(DirectoryOf(path))) + ":\\" + FileNameOf(path) + rest);
  }
  return lines;
}

std::vector<std::string> MultiEntityConfig(const std::vector<std::string>& templateLines,
                                           const std::vector<std::string>& batchLines) {
  std::vector<std::string> lines = CutAfterAutoexec(templateLines);
  MountBase(lines);
  for (std::string& line : DosBoxBatchLines(batchLines)) lines.push_back(std::move(line));
  lines.push_back("exit");
  SetCyclesMax(lines);
  return lines;
}

ToolCommand DosBoxRunCommand(const std::string& dosBoxExecutable) {
  return {dosBoxExecutable, "-conf " + std::string(kDosBoxConfigName) + " -noconsole -exit"};
}

}  // namespace korvane
