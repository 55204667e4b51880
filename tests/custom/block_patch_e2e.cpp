// End to end: the built quillrate-cli carries its customization block exactly once, and a
// copy whose build-mode byte was patched in the file reports the patched flag.
//   block_patch_e2e QUILLRATE_CLI WORK_DIR
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "custom/block_locator.h"

namespace {

int failures = 0;

void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::cerr << "FAILED: " << what << '\n';
    ++failures;
  }
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  // One read of the whole file: a byte at a time takes seconds on a sanitizer build.
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::vector<uint8_t> bytes;
  if (!file) return bytes;
  bytes.resize(static_cast<size_t>(file.tellg()));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(file.gcount()));
  return bytes;
}

std::string RunAboutJson(const std::filesystem::path& program, int& status) {
  const std::string command = "'" + program.string() + "' --simulate about --json";
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int raw = ::pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

void CheckFlag(const std::filesystem::path& program, const std::string& flag) {
  int status = -1;
  const std::string output = RunAboutJson(program, status);
  Expect(status == 0, program.string() + " exits with 0");
  const auto json = nlohmann::json::parse(output, nullptr, false);
  Expect(!json.is_discarded(), "about --json prints JSON");
  if (json.is_discarded()) return;
  Expect(json["build_mode_flag"] == flag, "the flag reads \"" + flag + "\"");
  Expect(json["build_mode"] == (flag == "1"), "build_mode follows the flag " + flag);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: block_patch_e2e QUILLRATE_CLI WORK_DIR\n";
    return 2;
  }
  const std::filesystem::path cli = argv[1];
  const std::filesystem::path work = argv[2];
  const std::vector<uint8_t> image = ReadFile(cli);
  Expect(!image.empty(), "the executable can be read");

  const std::string search = custom::MarkerSearchText();
  const auto hits = custom::FindMarkerHits(image, search);
  Expect(hits.size() == 1,
         "the marker occurs exactly once (found " + std::to_string(hits.size()) + ")");
  Expect(custom::FindMarkerHits(ReadFile("/proc/self/exe"), search).size() == 1,
         "the marker occurs exactly once in this checker");
  if (hits.size() != 1 || hits[0] < custom::kMarkerSearchOffset) return 1;
  const size_t block = hits[0] - custom::kMarkerSearchOffset;
  Expect(block + sizeof(custom::CustomizationBlock) <= image.size(),
         "the whole block is in the file");
  Expect(image[block + custom::kBuildModeFlagOffset] == '0', "the shipped flag is \"0\"");

  CheckFlag(cli, "0");
  std::filesystem::create_directories(work);
  for (const char flag : {'1', '2'}) {
    std::vector<uint8_t> patched = image;
    patched[block + custom::kBuildModeFlagOffset] = static_cast<uint8_t>(flag);
    const auto copy = work / (std::string("quillrate-cli-flag-") + flag);
    std::ofstream(copy, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(patched.data()),
               static_cast<std::streamsize>(patched.size()));
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    CheckFlag(copy, std::string(1, flag));
    std::filesystem::remove(copy);
  }
  std::cout << (failures == 0 ? "ok" : "failed") << '\n';
  return failures == 0 ? 0 : 1;
}
