#include "vm/checker.h"

#include <cstdio>

#include "media/drive_kind.h"
#include "platform/linux/linux_system.h"
#include "text/fixed_text.h"

namespace vm {

void StderrMessages::ShowMessage(const std::string& text, const std::string& caption, uint32_t) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

Checker::Checker() {
  system = platform::CreateLinuxSystem(messages, kernel, "/nonexistent/settings.ini");
  device = media::CreateDevice(*system);
}

void Checker::Check(bool ok, const std::string& what, const std::string& detail) {
  ++count_;
  if (!ok) ++failures_;
  std::printf("%s - %s%s\n", ok ? "ok" : "not ok", what.c_str(),
              ok || detail.empty() ? "" : (": " + detail).c_str());
  std::fflush(stdout);
}

bool Checker::Select(const std::string& root) {
  for (int i = 0; i < device->GetDriveCount(); ++i) {
    if (text::TextOf(device->GetDriveEntry(static_cast<unsigned>(i))->RootPath) == root) {
      return device->SelectDrive(i);
    }
  }
  Check(false, root + " is listed");
  return false;
}

}  // namespace vm
