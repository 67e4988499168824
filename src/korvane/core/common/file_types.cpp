#include "korvane/core/common/file_types.h"

namespace korvane {

void RegisterFileType(platform::FileTypeRegistry& registry, const std::string& ext,
                      const std::string& typeName) {
  registry.SetExtensionType(ext, typeName);
}

void RegisterDefaultIcon(platform::FileTypeRegistry& registry, const std::string& typeName,
                         const std::string& icon) {
  registry.SetDefaultIcon(typeName, icon);
}

void RegisterShellVerb(platform::FileTypeRegistry& registry, const std::string& typeName,
                       const std::string& verb, const std::string& caption,
                       const std::string& command) {
  registry.SetShellVerb(typeName, verb, caption, command);
}

}  // namespace korvane
