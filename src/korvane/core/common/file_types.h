#pragma once
// Registration of a file type with the desktop: the extension's type name,
// its icon and the verbs offered for its files. Failures are silent: a type
// that cannot be registered leaves the shell working as before.

#include <string>

#include "platform/file_type_registry.h"

namespace korvane {

// ext with its dot, e.g. ".jwrap".
void RegisterFileType(platform::FileTypeRegistry& registry, const std::string& ext,
                      const std::string& typeName);
// icon as "<file>,<index>".
void RegisterDefaultIcon(platform::FileTypeRegistry& registry, const std::string& typeName,
                         const std::string& icon);
// command in the Windows form, the file written as "%1"; the verb becomes the
// type's default verb.
void RegisterShellVerb(platform::FileTypeRegistry& registry, const std::string& typeName,
                       const std::string& verb, const std::string& caption,
                       const std::string& command);

}  // namespace korvane
