// On Windows the arguments are taken as the system keeps them, in UTF-16, and handed on in
// UTF-8 like every text of the program; a console shows the UTF-8 output as such.
#include "platform/win32/windows_api.h"

#include <shellapi.h>

#include <iostream>

#include "cli/cli_app.h"
#include "platform/files/win32/wide_text.h"

int main() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(platform::Narrow(wide[i]));
  if (wide != nullptr) LocalFree(wide);
  SetConsoleOutputCP(CP_UTF8);
  return cli::RunCli(args, std::cout, std::cerr);
}
