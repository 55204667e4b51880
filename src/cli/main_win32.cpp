// On Windows the arguments are taken as the system keeps them, in UTF-16, and handed on in
// UTF-8 like every text of the program; the console is switched to UTF-8 for the output and
// given back the user's code page on every way out: a normal end, exit(), Ctrl+C, Ctrl+Break,
// a closed console window, and an exception nobody caught.
#include "platform/windows_api.h"

#include <shellapi.h>

#include <cstdlib>
#include <exception>
#include <iostream>

#include "cli/cli_app.h"
#include "platform/files/win32/wide_text.h"

namespace {

// 0: the console's code page was not changed (no console, or it was UTF-8 already).
UINT userCodePage = 0;

void RestoreCodePage() {
  if (userCodePage != 0) SetConsoleOutputCP(userCodePage);
}

// Runs on a thread of its own when the user presses Ctrl+C or closes the console; returning
// FALSE lets the system end the program as it would have.
BOOL WINAPI OnConsoleControl(DWORD) {
  RestoreCodePage();
  return FALSE;
}

void SwitchConsoleToUtf8() {
  const UINT current = GetConsoleOutputCP();
  if (current == 0 || current == CP_UTF8) return;
  userCodePage = current;
  std::atexit(RestoreCodePage);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  static const std::terminate_handler previous = std::set_terminate([] {
    RestoreCodePage();
    if (previous != nullptr) previous();
    std::abort();
  });
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(platform::Narrow(wide[i]));
  if (wide != nullptr) LocalFree(wide);
  SwitchConsoleToUtf8();
  const int status = cli::RunCli(args, std::cout, std::cerr);
  RestoreCodePage();
  return status;
}
