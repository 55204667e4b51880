// vm_drive_checker root|user|cdrom-user: runs the checks of one identity in the VM test's
// guest and exits with the number of failed checks.
#include <cstdio>
#include <string>

#include "vm/checker.h"

int main(int argc, char** argv) {
  const std::string mode = argc == 2 ? argv[1] : "";
  if (mode != "root" && mode != "user" && mode != "cdrom-user") {
    std::fprintf(stderr, "usage: vm_drive_checker root|user|cdrom-user\n");
    return 100;
  }
  vm::Checker checker;
  if (mode == "root") {
    vm::CheckDriveAnswers(checker);
  } else {
    vm::CheckCommandFilter(checker, mode == "cdrom-user");
  }
  std::printf("%d checks, %d failed\n", checker.Count(), checker.Failures());
  return checker.Failures() == 0 ? 0 : 1;
}
