#pragma once
// Finds the tool configuration file: a development tree beside the program wins over the
// file named after the program in its own folder; a path given on the command line wins
// over both. An installed program without either falls back to the sample configuration
// the package puts under <prefix>/share/korvane. The answer is cached for the life of the
// locator.

#include <filesystem>
#include <string>

namespace korvane {

class StatusBar;

class ConfigLocator {
 public:
  // programPath: the running program's file. overridePath: the configuration named on the
  // command line, empty when none was given.
  explicit ConfigLocator(std::filesystem::path programPath, std::string overridePath = {});

  // The configuration file's full path. The first call decides and caches it; when no file
  // exists at any place it reports "No ini file is available for Korvane", the places it
  // looked at and the switches that name one, through AddErrorAndAbort (which throws),
  // leaving the local path cached.
  const std::string& Path(StatusBar& status);

  // The cached path, empty before the first Path() call.
  const std::string& Cached() const { return cached_; }

  // The program's file name with its extension replaced by ".INI".
  const std::string& LocalName() const { return localName_; }
  // ../_Korvane.Src/Korvane.INI beside the program, resolved.
  std::string DevPath() const;
  // The local name in the program's folder.
  std::string LocalPath() const;
  // Korvane.INI in the installed data folder (<program folder>/../share/korvane), resolved.
  std::string InstalledPath() const;

 private:
  std::filesystem::path programDir_;
  std::string localName_;
  std::string override_;
  std::string cached_;
};

}  // namespace korvane
