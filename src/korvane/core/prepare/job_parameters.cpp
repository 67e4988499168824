#include "korvane/core/prepare/job_parameters.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "korvane/core/common/text.h"
#include "korvane/core/prepare/xml_lines.h"

namespace korvane {

namespace {

// "%4.4d": at least four digits.
std::string Number(long long n) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%.4lld", n);
  return buffer;
}

// The parts one after the other, in a single allocation.
std::string Joined(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string out;
  out.reserve(size);
  for (std::string_view part : parts) out += part;
  return out;
}

std::string_view NamePart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

const std::string& ProgramFor(const JobParameterInput& in, const std::string& code,
                              const std::string& previous) {
  for (const auto& [type, program] : in.wrapperPrograms) {
    if (type == code && !program.empty()) return program;
  }
  // Interface wrapping and untyped sources have no program of their own: the line
  // carries the one before it.
  return previous;
}

void WriteFiles(const JobParameterInput& in, XmlLines& xml, JobParameters& out) {
  const std::string inputDir = in.base + "Workinp";
  std::string program;
  long long tool = 1;
  for (size_t i = 0; i < in.sources.size(); ++i) {
    const PreparedSource& source = in.sources[i];
    if (!source.checked) continue;
    const std::string number = Number(tool);
    xml.WriteXmlValue("Orig_File_" + number, NamePart(source.origin));
    const std::string ext = ToolExtension(source.origin);
    const std::string dotted(NamePart(source.origin));
    const size_t dot = dotted.rfind('.');
    if (dot != std::string::npos && dotted.size() - dot > 4) {
      out.longExtensions.emplace_back(dotted.substr(dot), ext);
    }
    xml.WriteXmlValue("File_" + number, Joined({"SRC", number, ext}));
    out.nameMap.push_back(Joined({"SRC", number, "=", source.fileName}));
    out.nameMap.push_back(
        Joined({"XCPY", Number(static_cast<long long>(i)), "=", inputDir, "/SRC", number, ext}));
    if (in.multi) {
      program = ProgramFor(in, source.typeCode, program);
      out.batch.push_back(Joined({"\"", program, "\" last.xml;", number, " "}));
      if (in.linkerShown) {
        out.batch.push_back(Joined({"\"", in.linkerProgram, "\" last.xml;", number, " "}));
      }
    }
    ++tool;
  }
  out.entities = static_cast<int>(tool - 1);
  if (!in.copyLibraryShown) return;
  for (size_t j = 0; j < in.copyMembers.size(); ++j) {
    const CopyMember& member = in.copyMembers[j];
    out.nameMap.push_back(
        Joined({"CCPY", Number(static_cast<long long>(j)), "=", member.name, "@", member.path}));
  }
}

}  // namespace

std::string ToolExtension(std::string_view origin) {
  const std::string_view name = NamePart(origin);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return ToUpper(name.substr(dot, 4));
}

bool NameMapLess(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char x = ToUpperChar(a[i]);
    const char y = ToUpperChar(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

JobParameters BuildJobParameters(const JobParameterInput& in) {
  JobParameters out;
  XmlLines xml;
  xml.WriteXmlLine("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>                 ");
  xml.WriteXmlLine("<!--DOCTYPE TAMROCK SYSTEM \"Tamrock.dtd\"-->           ");
  xml.WriteXmlLine("<" + in.appName + ">");
  xml.SetLevel(1);
  xml.OpenXmlBlock("<Names                                                 ");
  xml.NoteValue(in.productName);
  xml.NoteValue(in.systemName);
  xml.WriteXmlLine("ProductName = \"" + in.productName + "\"");
  xml.WriteXmlLine("SystemName  = \"" + in.systemName + "\"");
  xml.CloseXmlBlock("/>");
  xml.OpenXmlBlock("<Parameters");
  if (in.wrapRequested) {
    xml.NoteValue(in.interfaceType);
    xml.WriteXmlLine("InterfaceType = \"" + in.interfaceType + "\"");
    if (in.mapTypeOffered) {
      xml.NoteValue(in.mapType);
      xml.WriteXmlLine("MapType = \"" + in.mapType + "\"");
    }
  }
  xml.CloseXmlBlock("/> ");
  xml.OpenXmlElement("Directories");
  xml.WriteXmlValue("Orig_Input_Dir", in.base + "SourceCollection");
  xml.WriteXmlValue("Input_Dir", "Workinp");
  xml.WriteXmlValue("Orig_Output_Dir", in.base + "WrapOut");
  xml.WriteXmlValue("Output_Dir", "WrapOut");
  xml.WriteXmlValue("Work_Dir", "Work");
  xml.WriteXmlValue("Copy_Dir", "Frames");
  if (in.wrapRequested && in.wordScan) xml.WriteXmlValue("Func_Tab", "functab.wrl");
  xml.CloseXmlElement();
  if (in.wrapRequested && !in.sources.empty()) {
    xml.OpenXmlElement("Files");
    WriteFiles(in, xml, out);
    xml.CloseXmlElement();
    std::sort(out.nameMap.begin(), out.nameMap.end(), NameMapLess);
    out.nameMap.erase(
        std::unique(out.nameMap.begin(), out.nameMap.end(),
                    [](const std::string& a, const std::string& b) { return EqualsNoCase(a, b); }),
        out.nameMap.end());
    out.nameMapBuilt = true;
  }
  xml.SetLevel(0);
  xml.WriteXmlLine("</" + in.appName + ">");
  out.markupInValues = xml.HasMarkupInValues();
  out.xml = xml.TakeLines();
  return out;
}

}  // namespace korvane
