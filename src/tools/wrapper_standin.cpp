// Stands in for the wrapper tools in tests and demos. One program answers to every tool
// name (Ardent, Belmont, Corvid, Dalmer, <LangCode>Wrap, <LangCode>Link): started in a
// job base directory with "last.xml" or "last.xml;nnnn", it reads the job parameter file
// and the input structure, writes WrapOut/SRCnnnn.xml per entity, appends to the product
// log, and reports on the console as the real tools do. Environment switches make it
// slow, crash, fail, flood the console, ignore the stop request or wait for Enter; a
// source line holding STANDIN-FAIL fails the tool.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "korvane/core/prepare/wrapper_contract.h"
#include "platform/std_streams.h"

namespace {

namespace c = korvane::contract;

long long EnvNumber(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? 0 : std::atoll(value);
}

bool EnvSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' && std::string(value) != "0";
}

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.push_back(line);
      line.clear();
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += ch;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The text between <tag> and </tag>; empty when absent.
// Every simple element <Tag>value</Tag> of the file by its tag, the first of each, in
// one pass: a tool of a job with thousands of entities must not search once per entity.
std::unordered_map<std::string, std::string> Elements(const std::string& xml) {
  std::unordered_map<std::string, std::string> found;
  for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
    const size_t close = xml.find('>', at);
    if (close == std::string::npos) break;
    const std::string tag = xml.substr(at + 1, close - at - 1);
    if (tag.empty() || tag.find_first_of("/?! ") != std::string::npos) continue;
    const size_t end = xml.find('<', close);
    if (end == std::string::npos) break;
    if (xml.compare(end, tag.size() + 3, "</" + tag + ">") != 0) continue;
    found.emplace(tag, xml.substr(close + 1, end - close - 1));
  }
  return found;
}

// Only the folders and the one entity's elements.
std::unordered_map<std::string, std::string> ElementsFor(const std::string& xml, long long n) {
  std::unordered_map<std::string, std::string> found;
  const std::string number = c::EntityNumber(n);
  for (const std::string& tag :
       {std::string("Input_Dir"), std::string("Output_Dir"), std::string("Copy_Dir"),
        "File_" + number, "Orig_File_" + number}) {
    const std::string open = "<" + tag + ">";
    const size_t at = xml.find(open);
    if (at == std::string::npos) continue;
    const size_t end = xml.find("</" + tag + ">", at + open.size());
    if (end != std::string::npos)
      found.emplace(tag, xml.substr(at + open.size(), end - at - open.size()));
  }
  return found;
}

std::string Element(const std::unordered_map<std::string, std::string>& elements,
                    const std::string& tag) {
  const auto it = elements.find(tag);
  return it == elements.end() ? std::string() : it->second;
}

// The quoted value of `name = "..."`.
std::string Attribute(const std::string& xml, const std::string& name) {
  const size_t at = xml.find(name);
  if (at == std::string::npos) return {};
  const size_t open = xml.find('"', at);
  const size_t close = open == std::string::npos ? open : xml.find('"', open + 1);
  return close == std::string::npos ? std::string() : xml.substr(open + 1, close - open - 1);
}

std::string PathIn(const std::string& dir, const std::string& name) {
  std::string path = dir;
  path += '/';
  path += name;
  return path;
}

bool Exists(const std::string& path) {
  return access(path.c_str(), F_OK) == 0;
}

bool WriteAll(const std::string& path, const std::string& text, bool append) {
  std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  out << text;
  return static_cast<bool>(out);
}

struct Entity {
  long long number;
  std::string origin;
  std::string input;
};

}  // namespace

int main(int argc, char** argv) {
  platform::BinaryStandardStreams();
  const std::string self = argv[0];
  const std::size_t slash = self.find_last_of("/\\");
  std::string tool = self.substr(slash == std::string::npos ? 0 : slash + 1);
  // Named as the tool it stands in for, without the program suffix.
  if (tool.size() > 4 &&
      (tool.substr(tool.size() - 4) == ".exe" || tool.substr(tool.size() - 4) == ".EXE")) {
    tool.resize(tool.size() - 4);
  }
  const long long wanted = argc > 1 ? c::ParseEntityArgument(argv[1]) : -1;
  if (wanted < 0) {
    std::cerr << tool << ": usage: " << tool << " last.xml[;nnnn]" << std::endl;
    return 2;
  }
  std::string xml;
  if (!ReadFile(std::string(c::kParameterFile), xml)) {
    std::cerr << tool << ": cannot read " << c::kParameterFile << std::endl;
    return 2;
  }
  const std::string system = Attribute(xml, "SystemName");
  // A start for one entity looks up only what it needs, as a tool started once per source
  // does: its start must not cost more the more sources the job has.
  const auto elements = wanted > 0 ? ElementsFor(xml, wanted) : Elements(xml);
  const std::string inputDir = Element(elements, "Input_Dir");
  const std::string outputDir = Element(elements, "Output_Dir");
  const std::string copyDir = Element(elements, "Copy_Dir");

  std::map<long long, Entity> entities;
  for (long long n = wanted > 0 ? wanted : 1;; ++n) {
    const std::string number = c::EntityNumber(n);
    const std::string input = Element(elements, "File_" + number);
    if (input.empty()) break;
    entities[n] = {n, Element(elements, "Orig_File_" + number), input};
  }
  if (wanted > 0 && entities.count(wanted) == 0) {
    std::cerr << tool << ": entity " << wanted << " is not in " << c::kParameterFile << std::endl;
    return 2;
  }

  const long long delay = EnvNumber("KORVANE_STANDIN_DELAY_MS");
  const bool ignoreStop = EnvSet("KORVANE_STANDIN_IGNORE_SEMAPHORE");
  for (long long i = 0, flood = EnvNumber("KORVANE_STANDIN_FLOOD"); i < flood; ++i) {
    std::cout << tool << " console line " << (i + 1) << "\r\n";
  }
  std::cout.flush();

  const size_t total = wanted > 0 ? 1 : entities.size();
  size_t done = 0;
  for (const auto& [number, entity] : entities) {
    if (wanted > 0 && number != wanted) continue;
    if (!ignoreStop && Exists(std::string(c::kStopFile))) {
      std::cout << tool << ": stop requested, " << done << " of " << total << " done\r\n";
      std::cout.flush();
      return 0;
    }
    std::cout << c::kEntityMarker << " " << entity.origin << "\r\n";
    std::cout << tool << ": processing entity " << (done + 1) << " of " << total << "\r\n";
    std::cout.flush();
    if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    if (EnvSet("KORVANE_STANDIN_CRASH")) std::abort();

    std::string source;
    const bool readable = ReadFile(PathIn(inputDir, entity.input), source);
    const std::vector<std::string> lines = Lines(source);
    long long fromCopies = 0;
    for (const std::string& line : lines) {
      if (line.rfind("insert", 0) == 0 && line.rfind("insert*", 0) != 0) ++fromCopies;
      // Lets one job of many fail by its content, where an environment switch would
      // fail them all.
      if (line.find("STANDIN-FAIL") != std::string::npos) {
        std::cerr << tool << ": " << entity.origin << " asks to fail" << std::endl;
        return 3;
      }
    }
    const std::string stem = c::EntityStem(number);
    std::string label;
    ReadFile(PathIn(copyDir, stem + ".LAB"), label);
    const std::vector<std::string> labelLines = Lines(label);

    std::ostringstream result;
    result << "<?xml version=\"1.0\"?>\r\n<Entity number=\"" << c::EntityNumber(number)
           << "\" tool=\"" << tool << "\">\r\n <Origin>" << entity.origin << "</Origin>\r\n <Input>"
           << entity.input << (readable ? "" : " (missing)") << "</Input>\r\n <Lines>"
           << lines.size() << "</Lines>\r\n <CopyLines>" << fromCopies << "</CopyLines>\r\n <Label>"
           << (labelLines.empty() ? std::string() : labelLines.front())
           << "</Label>\r\n</Entity>\r\n";
    const std::string resultPath = PathIn(outputDir, stem + ".xml");
    // A tool that ends well without its result, as a broken one might.
    if (!EnvSet("KORVANE_STANDIN_NO_RESULT") && !WriteAll(resultPath, result.str(), false)) {
      std::cerr << tool << ": cannot write " << resultPath << std::endl;
      return 1;
    }
    std::ostringstream log;
    log << tool << " " << stem << " " << entity.origin << " lines=" << lines.size() << "\r\n";
    WriteAll(c::ProductLogName(system), log.str(), true);
    ++done;
  }
  std::cout << tool << ": " << done << " entities processed\r\n";
  std::cout.flush();
  if (EnvSet("KORVANE_STANDIN_WAIT_ENTER")) {
    std::string line;
    std::getline(std::cin, line);
  }
  return static_cast<int>(EnvNumber("KORVANE_STANDIN_EXIT"));
}
