// End to end: quillrate-cli builds an OEM edition of itself from the example property file.
// The edition differs from its prototype only inside the customization block, carries the
// example's values, still holds the marker exactly once and reports the values when run; a
// build-mode copy of it reports the flag.
//   build_edition_e2e QUILLRATE_CLI PROPERTY_FILE WORK_DIR
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "custom/block_locator.h"
#include "custom/shipped_identity.h"
#include "custom/version_text.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace {

namespace fs = std::filesystem;

int failures = 0;

void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::cerr << "FAILED: " << what << '\n';
    ++failures;
  }
}

template <typename T>
void ExpectEq(const T& actual, const T& expected, const std::string& what) {
  if (actual == expected) return;
  std::cerr << "FAILED: " << what << "\n  actual:   " << actual << "\n  expected: " << expected
            << '\n';
  ++failures;
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<uint8_t> bytes;
  if (!file) return bytes;
  bytes.resize(static_cast<size_t>(fs::file_size(path)));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(file.gcount()));
  return bytes;
}

struct Run {
  int status = -1;
  std::string out;
};

Run Execute(const std::string& command) {
  Run run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

nlohmann::json AboutJson(const fs::path& program) {
  const Run run = Execute(Quoted(program) + " --simulate about --json");
  Expect(run.status == 0, program.string() + " about --json exits with 0");
  return nlohmann::json::parse(run.out, nullptr, false);
}

// What examples/oem-edition.properties puts into the block.
const std::string kRemark =
    "    Northwind writers check every blank disc before they burn it.\n"
    "The speed shown as \"QUILL-RATE Speed Limit\" is the speed the\n"
    "writer itself picks for this disc.\n"
    "\n"
    "    The manufacturer shown is read from the identification that\n"
    "the disc carries; brand names belong to their owners.\n";

void CheckBlock(const custom::CustomizationBlockView& block) {
  ExpectEq(block.BuildModeText(), std::string("BUILDMODE=0"), "build-mode text");
  ExpectEq(block.ProgramName(), std::string("Northwind Disc Inspector"), "program name");
  ExpectEq(block.MajorVersion(), std::string("4"), "major version");
  ExpectEq(block.MinorVersion(), std::string("2"), "minor version");
  ExpectEq(block.Revision(), std::string("7"), "revision");
  ExpectEq(block.ReleaseDate(), std::string("2026/12/01"), "release date");
  ExpectEq(block.DriveModels(),
           std::string("for Northwind NW-52 CD-RW, NW-16 DVD Writer and NW-BD2 BD Writer"),
           "drive models");
  ExpectEq(block.Remark(), kRemark, "remark");
  ExpectEq(block.StepText(1), std::string("Choose your Northwind writer"), "step 1");
  ExpectEq(block.StepText(2),
           std::string("Put a blank CD-R/RW or DVD+R/+RW/-R/-RW disc into the writer and click "
                       "\"?\" to read what the disc tells about itself and the fastest speed the "
                       "writer will use for it"),
           "step 2");
  ExpectEq(block.StepText(3), std::string("What the writer reads from this disc :"), "step 3");

  const std::vector<std::string> cd{"972500|795974|Northwind Premium CD-R",
                                    "972666|795974|Northwind Silver CD-R",
                                    "974619|795900|Northwind Archive CD-RW"};
  const auto cdRows = block.CdRows();
  for (size_t i = 0; i < cdRows.size(); ++i) {
    const auto& row = cdRows[i];
    const std::string text = i < cd.size() ? std::string(text::TextOf(row.LeadInKey)) + "|" +
                                                 std::string(text::TextOf(row.LeadOutKey)) + "|" +
                                                 std::string(custom::DisplayTextOf(row))
                                           : "";
    const auto* bytes = reinterpret_cast<const uint8_t*>(&row);
    const bool zero = std::all_of(bytes, bytes + sizeof row, [](uint8_t b) { return b == 0; });
    if (i < cd.size()) {
      ExpectEq(text, cd[i], "CD row " + std::to_string(i));
    } else if (!zero) {
      Expect(false, "CD row " + std::to_string(i) + " is zero");
    }
  }
  const std::vector<std::string> dvd{"NORTHWIND01|Northwind DVD+R 16x",
                                     "NORTHWIND02|Northwind DVD-R 16x"};
  const auto dvdRows = block.DvdRows();
  for (size_t i = 0; i < dvdRows.size(); ++i) {
    const auto& row = dvdRows[i];
    const auto* bytes = reinterpret_cast<const uint8_t*>(&row);
    if (i < dvd.size()) {
      const std::string key(reinterpret_cast<const char*>(row.MediaIdKey.data()), 11);
      ExpectEq(key + "|" + std::string(custom::DisplayTextOf(row)), dvd[i],
               "DVD row " + std::to_string(i));
      Expect(row.MediaIdKey[11] == 0, "DVD row " + std::to_string(i) + " twelfth key byte");
    } else if (!std::all_of(bytes, bytes + sizeof row, [](uint8_t b) { return b == 0; })) {
      Expect(false, "DVD row " + std::to_string(i) + " is zero");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: build_edition_e2e QUILLRATE_CLI PROPERTY_FILE WORK_DIR\n";
    return 2;
  }
  const fs::path cli = fs::absolute(argv[1]);
  const fs::path properties = fs::absolute(argv[2]);
  const fs::path work = fs::absolute(argv[3]);
  fs::remove_all(work);
  fs::create_directories(work);
  const fs::path edition = work / "Quillrate.exe";

  // Built from the current folder, the way the README does it.
  const Run build = Execute("cd " + Quoted(work) + " && " + Quoted(cli) + " build " +
                            Quoted(properties) + " --prototype " + Quoted(cli));
  ExpectEq(build.status, 0, "quillrate-cli build exits with 0");
  ExpectEq(build.out, std::string("File created successfully !\n./Quillrate.exe\n"),
           "quillrate-cli build output");

  const std::vector<uint8_t> prototype = ReadFile(cli);
  const std::vector<uint8_t> built = ReadFile(edition);
  ExpectEq(built.size(), prototype.size(), "the edition has the prototype's size");
  const std::string search = custom::MarkerSearchText();
  const auto hits = custom::FindMarkerHits(built, search);
  ExpectEq(hits.size(), size_t{1}, "the marker occurs once in the edition");
  const auto prototypeHits = custom::FindMarkerHits(prototype, search);
  if (hits.size() != 1 || prototypeHits != hits || built.size() != prototype.size()) {
    std::cout << "failed\n";
    return 1;
  }
  const size_t start = hits[0] - custom::kMarkerSearchOffset;
  const size_t end = start + sizeof(custom::CustomizationBlock);
  size_t outside = 0;
  size_t inside = 0;
  for (size_t i = 0; i < built.size(); ++i) {
    if (built[i] == prototype[i]) continue;
    (i >= start && i < end ? inside : outside) += 1;
  }
  ExpectEq(outside, size_t{0}, "bytes changed outside the block");
  Expect(inside > 0, "the block changed");

  auto block = std::make_unique<custom::CustomizationBlock>();
  std::memcpy(block.get(), built.data() + start, sizeof *block);
  CheckBlock(custom::ViewOf(*block));

  const auto about = AboutJson(edition);
  Expect(!about.is_discarded(), "the edition's about --json prints JSON");
  if (!about.is_discarded()) {
    ExpectEq(about["caption"].get<std::string>(), std::string("Northwind Disc Inspector v4.2.7"),
             "the edition's caption");
    ExpectEq(about["block"]["remark"].get<std::string>(), kRemark, "the edition's remark");
    ExpectEq(about["block"]["cd_rows_used"].get<int>(), 3, "the edition's CD rows");
    ExpectEq(about["block"]["dvd_rows_filled"].get<int>(), 2, "the edition's DVD rows");
    ExpectEq(about["build_mode"].get<bool>(), false, "the edition starts normally");
  }
  const Run version = Execute(Quoted(edition) + " --version");
  ExpectEq(version.status, 0, "the edition's --version exits with 0");
  ExpectEq(version.out,
           "quillrate-cli " + std::string(custom::kProgramVersion) +
               "\nedition: Northwind Disc Inspector 4.2.7\n" + std::string(custom::kLicenceText),
           "the edition's --version tells the program's and the edition's versions");

  const Run again = Execute(Quoted(cli) + " build " + Quoted(properties) + " --prototype " +
                            Quoted(cli) + " --output-dir " + Quoted(work / "again"));
  ExpectEq(again.status, 1, "a missing output folder is an error");
  fs::create_directory(work / "again");
  ExpectEq(Execute(Quoted(cli) + " build " + Quoted(properties) + " --prototype " + Quoted(cli) +
                   " --output-dir " + Quoted(work / "again"))
               .status,
           0, "the second build exits with 0");
  Expect(ReadFile(work / "again" / "Quillrate.exe") == built, "two builds give the same file");

  const fs::path builder = work / "builder";
  const Run on =
      Execute(Quoted(cli) + " build-mode on " + Quoted(edition) + " --output " + Quoted(builder));
  ExpectEq(on.status, 0, "build-mode on exits with 0");
  Expect(ReadFile(edition) == built, "build-mode leaves its input as it was");
  const auto flagged = AboutJson(builder);
  if (!flagged.is_discarded()) {
    ExpectEq(flagged["build_mode_flag"].get<std::string>(), std::string("1"), "the copy's flag");
    ExpectEq(flagged["build_mode"].get<bool>(), true, "the copy is in build mode");
    ExpectEq(flagged["caption"].get<std::string>(), std::string("Northwind Disc Inspector v4.2.7"),
             "the copy keeps the edition's caption");
  }
  std::cout << (failures == 0 ? "ok" : "failed") << '\n';
  return failures == 0 ? 0 : 1;
}
