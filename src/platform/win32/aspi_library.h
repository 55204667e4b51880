// The ASPI manager library (WNASPI32.DLL) loaded with LoadLibrary: each logical request of the
// device layer becomes the manager's own byte-packed request block, and its results are copied
// back once the manager has completed it.
#pragma once

#include "platform/windows_api.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/win32/aspi_layouts.h"

namespace platform::win32 {

class Win32AspiLibrary : public AspiLibrary {
 public:
  // Null when the library cannot be loaded.
  static std::unique_ptr<Win32AspiLibrary> Load(const std::string& name);
  ~Win32AspiLibrary() override;
  Win32AspiLibrary(const Win32AspiLibrary&) = delete;
  Win32AspiLibrary& operator=(const Win32AspiLibrary&) = delete;

  bool HasEntryPoint(const std::string& name) const override;
  uint32_t GetASPI32SupportInfo() override;
  uint32_t SendASPI32Command(AspiRequest& request) override;

 private:
  explicit Win32AspiLibrary(HMODULE module);
  uint32_t Execute(AspiRequest& request);

  HMODULE module_;
  GetAspi32SupportInfoFunction supportInfo_ = nullptr;
  SendAspi32CommandFunction sendCommand_ = nullptr;
  // Execute requests the manager has not completed yet: it may still write them.
  std::vector<std::unique_ptr<SrbExecScsiCmd>> outstanding_;
};

}  // namespace platform::win32
