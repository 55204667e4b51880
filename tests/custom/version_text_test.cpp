#include "custom/version_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "custom/shipped_identity.h"
#include "test_block.h"

namespace {

const std::string kVersion{custom::kProgramVersion};
const std::string kMajor{custom::kProgramVersionMajor};
const std::string kMinor{custom::kProgramVersionMinor};
const std::string kPatch{custom::kProgramVersionPatch};

TEST(VersionText, TheShippedProgramPrintsItsVersionOnly) {
  EXPECT_EQ(custom::VersionText("quillrate-cli", custom::ProgramBlock()),
            "quillrate-cli " + kVersion + "\n" + std::string(custom::kLicenceText));
}

TEST(VersionText, TheLicenceIsGplVersion3OrLater) {
  const std::string text = custom::VersionText("quillrate", custom::ProgramBlock());
  EXPECT_NE(text.find("\nLicense GPL-3.0-or-later: GNU GPL version 3 or later"), std::string::npos)
      << text;
}

struct EditionCase {
  const char* what;
  std::string name;
  std::string major, minor, revision;
  std::string expected;
};

TEST(VersionText, AnEditionAddsItsOwnNameAndVersion) {
  const std::vector<EditionCase> cases = {
      {"the shipped identity", "Quill-Rate Media Check", kMajor, kMinor, kPatch, ""},
      {"another name", "Northwind Disc Inspector", "4", "2", "7",
       "edition: Northwind Disc Inspector 4.2.7\n"},
      {"the shipped name, another version", "Quill-Rate Media Check", kMajor, kMinor, "999",
       "edition: Quill-Rate Media Check " + kMajor + "." + kMinor + ".999\n"},
      {"another name, the shipped version", "Northwind", kMajor, kMinor, kPatch,
       "edition: Northwind " + kVersion + "\n"},
      {"a name in Windows-1252",
       "Disque \xC9"
       "diteur",
       "1", "0", "0",
       "edition: Disque \xC3\x89"
       "diteur 1.0.0\n"},
      {"a name in UTF-8",
       "Disque \xC3\x89"
       "diteur",
       "1", "0", "0",
       "edition: Disque \xC3\x89"
       "diteur 1.0.0\n"},
      {"control bytes stay visible", "Bad\x1B]0;x\x07Name", "1", "\n", "2",
       "edition: Bad\xE2\x90\x9B]0;x\xE2\x90\x87Name 1.\xE2\x90\x8A.2\n"},
      {"empty fields", "", "", "", "", "edition:  ..\n"},
  };
  for (const EditionCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto block = custom_test::EmptyBlock();
    text::SetText(block->ProgramName, c.name);
    text::SetText(block->MajorVersion, c.major);
    text::SetText(block->MinorVersion, c.minor);
    text::SetText(block->Revision, c.revision);
    EXPECT_EQ(custom::VersionText("quillrate", custom::ViewOf(*block)),
              "quillrate " + kVersion + "\n" + c.expected + std::string(custom::kLicenceText));
  }
}

}  // namespace
