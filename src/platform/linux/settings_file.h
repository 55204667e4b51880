// The program's settings as a small per-user file, organised like registry keys:
//   [SOFTWARE\Quillrate\]
//   Width=dword:479
//   UserDefinedFule=sz:/home/me/media.txt
// Writes replace the file atomically; a damaged file reads as absent values. A file that is
// there but cannot be read (no permission, a folder, a link to nothing, changed while it was
// read) reads as absent values too, and is never replaced by a write.
#pragma once

#include <string>

#include "platform/system.h"

namespace platform {

class SettingsFile : public Registry {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}
  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, Access access) override;
  std::unique_ptr<RegistryKey> CreateKey(const std::string& path) override;
  std::string WriteFailure() const override { return failure_; }
  const std::string& Path() const { return path_; }

  // The default location: $XDG_CONFIG_HOME/quillrate/settings.ini or ~/.config/...
  static std::string DefaultPath();

 private:
  std::string path_;
  std::string failure_;
};

}  // namespace platform
