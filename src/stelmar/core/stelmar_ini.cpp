#include "stelmar/core/stelmar_ini.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/atomic_file.h"
#include "platform/user_dirs.h"
#include "stelmar/core/profile_ini.h"

namespace stelmar {
namespace {

// stelmar.ini is a few hundred bytes; anything much larger is not ours to load whole.
constexpr std::streamsize kMaxIniSize = 1 << 20;

std::string ReadSmallFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string text(static_cast<std::size_t>(kMaxIniSize), '\0');
  in.read(text.data(), kMaxIniSize);
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

}  // namespace

std::string DefaultStelmarIniPath() {
  const std::string config = platform::ConfigHome();
  if (config.empty()) return {};
  return config + "/Brevik/stelmar.ini";
}

std::string DefaultViewer(const std::string& programDirectory) {
  return programDirectory + "/lumbra";
}

void ReadStelmarIni(const std::string& path, Settings& s) {
  const ProfileIni ini = ProfileIni::Parse(ReadSmallFile(path));
  s.INPUT_DIR = ini.Get("Directories", "INPUT_DIR", "");
  s.WORK_DIR = ini.Get("Directories", "WORK_DIR", "");
  s.OUTPUT_DIR = ini.Get("Directories", "OUTPUT_DIR", "");
  for (std::size_t i = 0; i < s.COPY_DIR.size(); ++i)
    s.COPY_DIR[i] = ini.Get("Directories", "COPY_DIR_" + std::to_string(i + 1), "");
  s.TYPE = ini.Get("Options", "TYPE", "UTM");
  s.EDITOR = ini.Get("Options", "EDITOR", "");
  if (s.EDITOR.empty()) s.EDITOR = DefaultViewer(s.programDirectory);
}

bool WriteStelmarIni(const std::string& path, const Settings& s) {
  if (path.empty()) return false;
  ProfileIni ini = ProfileIni::Parse(ReadSmallFile(path));
  ini.Set("Directories", "INPUT_DIR", s.INPUT_DIR.str());
  ini.Set("Directories", "OUTPUT_DIR", s.OUTPUT_DIR.str());
  ini.Set("Directories", "WORK_DIR", s.WORK_DIR.str());
  for (std::size_t i = 0; i < s.COPY_DIR.size(); ++i)
    ini.Set("Directories", "COPY_DIR_" + std::to_string(i + 1), s.COPY_DIR[i].str());
  ini.Set("Options", "TYPE", s.TYPE.str());
  ini.Set("Options", "EDITOR", s.EDITOR.str());
  const std::filesystem::path file(path);
  if (file.has_parent_path()) platform::EnsureDirectory(file.parent_path());
  return platform::WriteFileAtomic(file, ini.Serialize()).empty();
}

}  // namespace stelmar
