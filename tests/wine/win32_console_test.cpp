// quillrate-cli.exe switches the console it shares with this test to UTF-8 while it runs and
// gives the user's code page back however it ends: read before and after, on one console.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kUserCodePage = 850;

// Runs the terminal companion on this process's console, its output thrown away; its exit
// status, or -1 when it could not be started.
int RunCli(const std::wstring& arguments) {
  const char* cli = std::getenv("QUILLRATE_CLI_EXE");
  if (cli == nullptr) return -1;
  // A Linux path is reached through Wine's drive Z:, the root of the Linux file system.
  std::wstring command = cli[0] == '/' ? L"\"Z:" : L"\"";
  for (const char* c = cli; *c != '\0'; ++c)
    command += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  command += L"\" " + arguments;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE null = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  start.hStdOutput = null;
  start.hStdError = null;
  PROCESS_INFORMATION process{};
  std::vector<wchar_t> line(command.begin(), command.end());
  line.push_back(L'\0');
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &start, &process);
  CloseHandle(null);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, 60000);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

struct Ending {
  const char* name;
  const wchar_t* arguments;
  int status;
};

TEST(Win32Console, TheUsersCodePageComesBackOnEveryEnding) {
  // A console of this test's own, so that its code page is this test's to set.
  if (GetConsoleOutputCP() == 0) {
    ASSERT_TRUE(AllocConsole());
  }
  const UINT before = GetConsoleOutputCP();
  ASSERT_TRUE(SetConsoleOutputCP(kUserCodePage));
  ASSERT_EQ(GetConsoleOutputCP(), kUserCodePage);
  const std::vector<Ending> endings = {
      {"a normal end", L"--version", 0},
      {"a bad command line", L"--no-such-option", 2},
      {"a report of the demo machine", L"--simulate report --all", 0},
      {"a simulated machine that cannot be loaded", L"--simulate=Z:\\no\\such\\machine.json drives",
       3},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.name);
    EXPECT_EQ(RunCli(ending.arguments), ending.status);
    EXPECT_EQ(GetConsoleOutputCP(), kUserCodePage);
  }
  SetConsoleOutputCP(before);
}

// While it runs, the program's output goes out in UTF-8: a console left in UTF-8 before it
// starts is left so (nothing to give back).
TEST(Win32Console, AConsoleInUtf8StaysInUtf8) {
  if (GetConsoleOutputCP() == 0) {
    ASSERT_TRUE(AllocConsole());
  }
  const UINT before = GetConsoleOutputCP();
  ASSERT_TRUE(SetConsoleOutputCP(CP_UTF8));
  EXPECT_EQ(RunCli(L"--version"), 0);
  EXPECT_EQ(GetConsoleOutputCP(), static_cast<UINT>(CP_UTF8));
  SetConsoleOutputCP(before);
}

}  // namespace
