#include "stelmar/core/job_file.h"

#include <sys/time.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"
#include "platform/local_time.h"

namespace stelmar {
namespace {

// "%2d" of a clock part with the blank dropped.
std::string ClockDigits(int value) {
  if (value < 0) value = 0;
  return std::to_string(value % 100);
}

bool IsLink(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_symlink(path, ec);
}

void Key(std::string& text, const char* name, const Field& value) {
  text += name;
  text += '=';
  text += value.str();
  text += "\r\n";
}

}  // namespace

TimeOfDay CurrentTimeOfDay() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const std::tm local = platform::LocalTime(seconds);
  const auto sinceSecond =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(sinceSecond.count() / 10)};
}

std::string JobFilePath(const std::string& workDir, const TimeOfDay& t) {
  return workDir + "/" + ClockDigits(t.hour) + ClockDigits(t.minute) + ClockDigits(t.second) +
         ClockDigits(t.hundredths);
}

bool WriteJobFile(const std::string& path, const std::string& text) {
  if (IsLink(path)) return false;
  return platform::WriteFileAtomic(path, text).empty();
}

bool CreateEmptyJobFile(const std::string& path) {
  return WriteJobFile(path, "");
}

std::string JobParameterSections(const Settings& s) {
  std::string text = "[Directories]\r\n";
  Key(text, "INPUT_DIR", s.INPUT_DIR);
  Key(text, "WORK_DIR", s.WORK_DIR);
  Key(text, "OUTPUT_DIR", s.OUTPUT_DIR);
  static const char* const kCopyKeys[] = {"COPY_DIR_1", "COPY_DIR_2", "COPY_DIR_3", "COPY_DIR_4",
                                          "COPY_DIR_5"};
  for (std::size_t i = 0; i < s.COPY_DIR.size(); ++i) Key(text, kCopyKeys[i], s.COPY_DIR[i]);
  text += "[Files]\r\n";
  Key(text, "PROGFILE", s.PROGFILE);
  Key(text, "PROGNAME", s.PROGNAME);
  Key(text, "DATAFILE", s.DATAFILE);
  text += "[Options]\r\n";
  Key(text, "TYPE", s.TYPE);
  Key(text, "EDITOR", s.EDITOR);
  return text;
}

bool WriteJobParameters(const std::string& path, const Settings& settings) {
  if (IsLink(path)) return false;
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    if (in) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  text += JobParameterSections(settings);
  return WriteJobFile(path, text);
}

std::string IncludeList(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) {
    for (std::size_t i = 0; i < name.size(); ++i) {
      const char c = name[i];
      text += i < 12 && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    text += "\r\n";
  }
  text += "EOF\r\n";
  return text;
}

}  // namespace stelmar
