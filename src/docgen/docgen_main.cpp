// quillrate-docgen: writes the manual pages and the bash completion from the programs' own
// command lines at build time, so that neither can say something --help does not.
//   quillrate-docgen man quillrate|quillrate-cli HAND_WRITTEN.roff OUT
//   quillrate-docgen bash-completion quillrate-cli OUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/app_arguments.h"
#include "cli/command_line.h"
#include "custom/shipped_identity.h"
#include "docgen/bash_completion.h"
#include "docgen/man_page.h"

namespace {

bool Write(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  std::fprintf(stderr, "quillrate-docgen: cannot write %s\n", path.c_str());
  return false;
}

int Usage() {
  std::fputs(
      "usage: quillrate-docgen man quillrate|quillrate-cli HAND_WRITTEN.roff OUT\n"
      "       quillrate-docgen bash-completion quillrate-cli OUT\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const cli::CommandLine cliCommandLine;
  const app::WindowCommandLine windowCommandLine;
  if (args.size() == 4 && args[0] == "man" &&
      (args[1] == "quillrate" || args[1] == "quillrate-cli")) {
    std::ifstream file(args[2], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "quillrate-docgen: cannot read %s\n", args[2].c_str());
      return 1;
    }
    const std::string roff{std::istreambuf_iterator<char>(file), {}};
    const CLI::App& program = args[1] == "quillrate" ? windowCommandLine.app : cliCommandLine.app;
    return Write(args[3],
                 docgen::ManPage(program, custom::kProgramVersion, docgen::ParseManSections(roff)))
               ? 0
               : 1;
  }
  if (args.size() == 3 && args[0] == "bash-completion" && args[1] == "quillrate-cli") {
    return Write(args[2], docgen::BashCompletion(cliCommandLine.app)) ? 0 : 1;
  }
  return Usage();
}
