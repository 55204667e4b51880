// Files a new user or an attacker puts in the program's way: links planted under an output's
// name or in the settings' place, no home, fixtures that never end, huge or mangled text
// files, a program killed while it writes, several programs writing the settings at once.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/fd_output.h"
#include "custom/build_edition.h"
#include "custom/build_mode_copy.h"
#include "custom/builder_fixtures.h"
#include "custom/customization_block.h"
#include "custom/find_block.h"
#include "custom/temp_dir.h"
#include "custom/user_media_file.h"
#include "platform/files/atomic_file.h"
#include "platform/files/file_test_hooks.h"
#include "platform/linux/settings_file.h"
#include "robustness/file_fault_support.h"
#include "support/cli_run.h"

namespace {

namespace fs = std::filesystem;
using custom_test::ReadBytes;
using custom_test::TempDir;
using custom_test::WriteBytes;
using file_faults::HiddenNames;
using file_faults::ScopedEnv;
using file_faults::ScopedHooks;
using testing_cli::CliRun;
using testing_cli::RunCliArgs;

constexpr uid_t kOtherUser = 65534;

std::string Text(const fs::path& path) {
  const auto bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

// A prototype with the shipped block in it, as a stand-in for the program's own file.
fs::path WritePrototype(const TempDir& dir) {
  const fs::path prototype = fs::path(dir.Path()) / "prototype";
  WriteBytes(prototype, custom_test::PrototypeImage(*custom_test::ShippedBlock('0'), 3000, 500));
  return prototype;
}

// The customization block of a built edition; all zeros when it has none.
custom::CustomizationBlock BlockOf(const fs::path& edition) {
  custom::CustomizationBlock block{};
  const auto bytes = ReadBytes(edition);
  const auto found = custom::FindBlock(bytes);
  EXPECT_EQ(found.status, custom::BlockSearchStatus::Found) << edition;
  if (found.status == custom::BlockSearchStatus::Found) {
    std::memcpy(&block, bytes.data() + found.offset, sizeof block);
  }
  return block;
}

// --- Outputs never follow a link they did not make -------------------------------------------

TEST(HostileFiles, ANewOutputReplacesALinkPlantedUnderItsName) {
  struct Case {
    const char* name;
    // Writes the output whose name is `output`; true when it says it succeeded.
    std::function<bool(const TempDir&, const fs::path& output)> write;
  };
  const std::vector<Case> cases = {
      {"edition",
       [](const TempDir& dir, const fs::path& output) {
         const std::string properties = dir.Write("p.properties", "[PROPERTY]\nNAME=Planted\n");
         return custom::BuildEdition(
                    {properties, WritePrototype(dir).string(), output.parent_path().string()})
             .Succeeded();
       }},
      {"build-mode copy",
       [](const TempDir& dir, const fs::path& output) {
         return custom::WriteBuildModeCopy(WritePrototype(dir).string(), true, output.string())
             .Succeeded();
       }},
      {"capture",
       [](const TempDir&, const fs::path& output) {
         return RunCliArgs({"--simulate", "--capture=" + output.string(), "drives"}).status ==
                cli::kExitOk;
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const fs::path shared = fs::path(dir.Path()) / "shared";
    fs::create_directory(shared);
    const fs::path victim = fs::path(dir.Path()) / "victim";
    WriteBytes(victim, {'k', 'e', 'e', 'p'});
    const fs::path output = shared / "Quillrate.exe";
    fs::create_symlink(victim, output);

    ASSERT_TRUE(c.write(dir, output)) << c.name;
    EXPECT_EQ(Text(victim), "keep") << c.name << ": the link was followed";
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(output))) << c.name;
    EXPECT_EQ(HiddenNames(dir.Path()), "") << c.name;
  }
}

// --- The settings follow only the user's own links --------------------------------------------

TEST(HostileFiles, TheSettingsFollowOnlyTheUsersOwnLinks) {
  if (::geteuid() != 0) GTEST_SKIP() << "making files of another user needs root";
  enum class Planted { FileLinkOfOther, FileLinkToOthersFile, FolderLinkOfOther, OwnLink };
  const struct {
    Planted planted;
    const char* expectedReason;  // empty: the write goes through
  } cases[] = {
      {Planted::FileLinkOfOther,
       "settings.ini: a symbolic link that belongs to another user (uid 65534), not followed"},
      {Planted::FileLinkToOthersFile, ", which belongs to another user (uid 65534), not followed"},
      {Planted::FolderLinkOfOther, "its folder"},
      {Planted::OwnLink, ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const fs::path root(dir.Path());
    const fs::path config = root / "config";
    fs::create_directories(config);
    const fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path victim = elsewhere / "settings.ini";
    WriteBytes(victim, {'#', '\n'});
    const fs::path folder = config / "quillrate";
    switch (c.planted) {
      case Planted::FileLinkOfOther:
      case Planted::FileLinkToOthersFile:
      case Planted::OwnLink:
        fs::create_directories(folder);
        fs::create_symlink(victim, folder / "settings.ini");
        if (c.planted == Planted::FileLinkOfOther) {
          ASSERT_EQ(::lchown((folder / "settings.ini").c_str(), kOtherUser, kOtherUser), 0);
        }
        if (c.planted == Planted::FileLinkToOthersFile) {
          ASSERT_EQ(::chown(victim.c_str(), kOtherUser, kOtherUser), 0);
        }
        break;
      case Planted::FolderLinkOfOther:
        fs::create_symlink(elsewhere, folder);
        ASSERT_EQ(::lchown(folder.c_str(), kOtherUser, kOtherUser), 0);
        break;
    }
    const std::string media = dir.Write("media.txt", "[CD]\n972666_795974=Mine\n");
    const ScopedEnv xdg("XDG_CONFIG_HOME", config.string());
    const CliRun run = RunCliArgs({"media-file", "use", media});
    if (*c.expectedReason == '\0') {
      EXPECT_EQ(run.status, cli::kExitOk) << run.err;
      EXPECT_NE(Text(victim).find(media), std::string::npos) << "the own link is written through";
      continue;
    }
    EXPECT_EQ(run.status, cli::kExitFailure);
    EXPECT_EQ(run.out, "") << "nothing may be told as done";
    EXPECT_NE(run.err.find(c.expectedReason), std::string::npos) << run.err;
    EXPECT_EQ(Text(victim), "#\n") << "the other user's file changed";
  }
}

TEST(HostileFiles, TheSettingsNeedAnAbsoluteHome) {
  const struct {
    std::optional<std::string> xdg, home;
    std::string path;     // "" for none; "account" for a home from the password file
    std::string problem;  // part of the reason when there is no place
  } cases[] = {
      {"/xdg", "/home/u", "/xdg/quillrate/settings.ini", ""},
      {"relative-xdg", "/home/u", "/home/u/.config/quillrate/settings.ini", ""},
      {std::nullopt, "relative/home", "", "HOME is not an absolute path (\"relative/home\")"},
      {std::nullopt, "", "account", ""},
      {std::nullopt, std::nullopt, "account", ""},
  };
  for (const auto& c : cases) {
    const ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    const ScopedEnv home("HOME", c.home);
    const platform::SettingsLocation location = platform::SettingsFile::DefaultLocation();
    if (c.path == "account") {
      // Wherever the account's home is, it is absolute and never the root's "/.config".
      if (location.path.empty()) {
        EXPECT_NE(location.problem.find("HOME is not set"), std::string::npos);
      } else {
        EXPECT_EQ(location.path.front(), '/');
        EXPECT_NE(location.path, "/.config/quillrate/settings.ini");
      }
      continue;
    }
    EXPECT_EQ(location.path, c.path);
    if (!c.problem.empty()) {
      EXPECT_NE(location.problem.find(c.problem), std::string::npos) << location.problem;
      // Nothing is written anywhere, and the reason is told.
      TempDir dir;
      const std::string media = dir.Write("m.txt", "[CD]\n972666_795974=X\n");
      const CliRun run = RunCliArgs({"media-file", "use", media});
      EXPECT_EQ(run.status, cli::kExitFailure);
      EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
      EXPECT_FALSE(fs::exists("relative/home"));
    }
  }
}

// --- Fixtures that would hang or fill the memory ----------------------------------------------

TEST(HostileFiles, AFixtureThatNeverEndsOrIsNotJsonIsRefusedWithItsReason) {
  TempDir dir;
  const fs::path fifo = fs::path(dir.Path()) / "pipe.json";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path huge = fs::path(dir.Path()) / "huge.json";
  { std::ofstream(huge) << std::string((16u << 20) + 1, ' '); }
  const std::string broken =
      dir.Write("broken.json", "{\n  \"drives\": [\n    {\"root\": 5,}\n]}\n");
  const struct {
    std::string path;
    std::string err;
  } cases[] = {
      {fifo.string(), fifo.string() + ": a named pipe, not a regular file"},
      {"/dev/zero", "/dev/zero: a device, not a regular file"},
      {huge.string(), huge.string() + ": too large (16777217 bytes)"},
      {broken, broken + ": not valid JSON at line 3, column 16: syntax error while parsing "
                        "object key - unexpected '}'; expected string literal"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliArgs({"--simulate=" + c.path, "drives"});
    EXPECT_EQ(run.status, cli::kExitFixture) << c.path;
    EXPECT_EQ(run.err, "quillrate-cli: " + c.err + "\n");
  }
}

// --- Huge text files in little memory ---------------------------------------------------------

TEST(HostileFiles, MediaFileCheckCountsEveryLineAndKeepsTheFirstOnes) {
  TempDir dir;
  std::string file = "[CD]\n";
  for (size_t i = 0; i < 700; ++i) file += custom_test::CdLine(i) + "\n";
  for (size_t i = 0; i < 20000; ++i) file += "junk\n";
  const std::string path = dir.Write("big.txt", file);

  const auto check = custom::CheckUserMediaFile(path);
  EXPECT_EQ(check.cdRows, 700u);
  EXPECT_EQ(check.skippedLines, 20000u);
  EXPECT_EQ(check.taken.size(), custom::UserMediaFileCheck::kKeptEntries);
  EXPECT_EQ(check.skipped.size(), custom::UserMediaFileCheck::kKeptEntries);
  EXPECT_EQ(check.skipped.back().position.line, 2u + 700u + 499u);

  const CliRun text = RunCliArgs({"media-file", "check", path});
  EXPECT_EQ(text.status, cli::kExitFailure);
  EXPECT_NE(text.out.find("... and 200 more rows, not listed\n"), std::string::npos);
  EXPECT_NE(text.out.find("... and 19500 more skipped lines, not listed\n"), std::string::npos);
  EXPECT_NE(text.out.find("700 CD rows, 0 DVD rows taken; 20000 lines skipped\n"),
            std::string::npos);
  const auto json = nlohmann::json::parse(RunCliArgs({"media-file", "check", path, "--json"}).out);
  EXPECT_EQ(json["cd_rows"], 700);
  EXPECT_EQ(json["skipped_lines"], 20000);
  EXPECT_EQ(json["skipped"].size(), 500u);
  EXPECT_EQ(json["skipped_not_listed"], 19500);
  EXPECT_EQ(json["taken_not_listed"], 200);
}

TEST(HostileFiles, APropertyFileOfAnyLengthIsAppliedLineByLine) {
  TempDir dir;
  std::string file = "[PROPERTY]\nNAME=Long file\n[REMARK]\n";
  for (size_t i = 0; i < 100000; ++i) file += "REMARK=" + std::string(40, 'r') + "\n";
  file += "[CD]\n";
  for (size_t i = 0; i < 100000; ++i) file += custom_test::CdLine(i) + "\n";
  const std::string properties = dir.Write("long.properties", file);
  const auto outcome = custom::BuildEdition({properties, WritePrototype(dir).string(), dir.Path()});
  ASSERT_TRUE(outcome.Succeeded()) << outcome.text << outcome.detail;
  const custom::CustomizationBlock block = BlockOf(outcome.outputPath);
  const std::string remark(block.Remark.data());
  EXPECT_EQ(remark.size(), 1023u);
  EXPECT_EQ(remark.substr(0, 41), std::string(40, 'r') + "\n");
  EXPECT_EQ(std::string(block.CdTable[499].DisplayText.data()), "Row 499");
}

// --- Mangled text: UTF-8 files, fields cut between characters ---------------------------------

TEST(HostileFiles, Utf8TextInFilesIsShownAsUtf8AndCutBetweenCharacters) {
  TempDir dir;
  // 62 ASCII bytes and an É: the name's field keeps 63 bytes, which would split the É.
  const std::string name = std::string(62, 'n') + "\xC3\x89";
  const std::string properties = dir.Write("utf8.properties",
                                           "[PROPERTY]\nNAME=Disque \xC3\x89"
                                           "diteur\nMAJOR=1\nMINOR=0\n"
                                           "REV=0\n[STEP1]\nSTEP1=" +
                                               name + "\n");
  const auto outcome = custom::BuildEdition({properties, WritePrototype(dir).string(), dir.Path()});
  ASSERT_TRUE(outcome.Succeeded());
  const custom::CustomizationBlock block = BlockOf(outcome.outputPath);
  EXPECT_EQ(std::string(block.ProgramName.data()),
            "Disque \xC3\x89"
            "diteur");
  EXPECT_EQ(std::string(block.Step1Text.data()), std::string(62, 'n'));

  const std::string media =
      dir.Write("media.txt",
                "[CD]\n972666_795974=Disque \xC3\x89"
                "diteur\n"
                "[DVD]\n" +
                    std::string(24, '0') + "=" + std::string(46, 'd') + "\xC3\x89\n");
  const CliRun check = RunCliArgs({"media-file", "check", media});
  EXPECT_NE(check.out.find("text \"Disque \xC3\x89"
                           "diteur\""),
            std::string::npos)
      << check.out;
  // 46 bytes and a two-byte character do not fit 47: the character goes whole.
  EXPECT_NE(check.out.find("text \"" + std::string(46, 'd') + "\""), std::string::npos)
      << check.out;
  // The same file in Windows-1252 reads the same.
  const std::string cp1252 = dir.Write("cp1252.txt",
                                       "[CD]\n972666_795974=Disque \xC9"
                                       "diteur\n");
  EXPECT_NE(RunCliArgs({"media-file", "check", cp1252})
                .out.find("Disque \xC3\x89"
                          "diteur"),
            std::string::npos);
}

// --- A killed write leaves nothing behind -----------------------------------------------------

TEST(HostileFiles, AWriteKilledBeforeItEndsLeavesNoTemporaryFile) {
  const struct {
    const char* name;
    bool namedOnly;  // a file system without unnamed temporary files
    int signal;
  } cases[] = {
      {"unnamed, SIGKILL", false, SIGKILL}, {"unnamed, SIGTERM", false, SIGTERM},
      {"named, SIGTERM", true, SIGTERM},    {"named, SIGINT", true, SIGINT},
      {"named, SIGHUP", true, SIGHUP},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const fs::path target = fs::path(dir.Path()) / "Quillrate.exe";
    WriteBytes(target, {'o', 'l', 'd'});
    // A signal this process ignores (a command started in the background ignores SIGINT) is
    // left alone by the program, as it should be; there is nothing to see then.
    struct sigaction current {};
    ::sigaction(c.signal, nullptr, &current);
    if (current.sa_handler == SIG_IGN) {
      std::cout << c.name << ": not run, the signal is ignored here\n";
      continue;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      platform::TestHooks().namedTemporaryOnly = c.namedOnly;
      platform::TestHooks().afterWrite = [signal = c.signal] { ::raise(signal); };
      const std::vector<uint8_t> bytes(1 << 20, 'x');
      platform::WriteFileAtomically(target.string(), bytes, 0755,
                                    platform::LinkPolicy::ReplaceLink);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << c.name << ": the write was not stopped";
    EXPECT_EQ(WTERMSIG(status), c.signal) << c.name;
    EXPECT_EQ(HiddenNames(dir.Path()), "") << c.name;
    EXPECT_EQ(Text(target), "old") << c.name;
  }
}

// --- Several programs writing the settings at once --------------------------------------------

TEST(HostileFiles, SettingsWrittenByManyProgramsAtOnceAreAllKept) {
  TempDir dir;
  const ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path());
  constexpr int kWriters = 6;
  constexpr int kWrites = 15;
  std::fflush(nullptr);
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      platform::SettingsFile settings(platform::SettingsFile::DefaultLocation());
      bool ok = true;
      for (int i = 0; i < kWrites; ++i) {
        auto key = settings.CreateKey("SOFTWARE\\Quillrate\\");
        const std::string value = std::to_string(i);
        ok = ok && key &&
             key->SetValue("Writer" + std::to_string(w), platform::RegType::String,
                           std::vector<uint8_t>(value.c_str(), value.c_str() + value.size() + 1));
      }
      ::_exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string text = Text(fs::path(dir.Path()) / "quillrate" / "settings.ini");
  for (int w = 0; w < kWriters; ++w) {
    EXPECT_NE(text.find("WRITER" + std::to_string(w) + "=sz:" + std::to_string(kWrites - 1)),
              std::string::npos)
        << "writer " << w << " lost its value:\n"
        << text;
  }
}

// --- Settings another user could hold or plant ------------------------------------------------

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.c_str(), text.c_str() + text.size() + 1);
}

}  // namespace

// A lock another program keeps is waited for only so long: the write fails with the reason
// instead of hanging (the window's close writes the size).
TEST(HostileFiles, ASettingsLockHeldByAnotherProgramIsWaitedForOnlySoLong) {
  TempDir dir;
  ScopedHooks hooks;
  const fs::path folder = fs::path(dir.Path()) / "quillrate";
  fs::create_directories(folder);
  platform::SettingsFile settings((folder / "settings.ini").string());
  const int held = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  platform::TestHooks().lockWaitMilliseconds = 0;
  EXPECT_EQ(settings.CreateKey("SOFTWARE\\Quillrate\\"), nullptr);
  EXPECT_EQ(settings.WriteFailure(), (folder / "settings.ini").string() +
                                         ": another program holds the lock on its folder " +
                                         folder.string() +
                                         " (waited 0 seconds); close it and "
                                         "try again");
  EXPECT_FALSE(fs::exists(folder / "settings.ini"));
  ::close(held);
  EXPECT_NE(settings.CreateKey("SOFTWARE\\Quillrate\\"), nullptr) << settings.WriteFailure();
}

TEST(HostileFiles, SettingsOfAnotherUserAreNeverWritten) {
  if (::geteuid() != 0) GTEST_SKIP() << "making files of another user needs root";
  const struct {
    const char* name;
    bool folderOfOther;
    const char* reason;
  } cases[] = {
      {"the folder", true, ": its folder "},
      {"the file", false, ": it belongs to another user (uid 65534)"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const fs::path folder = fs::path(dir.Path()) / "quillrate";
    fs::create_directories(folder);
    const fs::path file = folder / "settings.ini";
    WriteBytes(file, {'#', '\n'});
    const fs::path owned = c.folderOfOther ? folder : file;
    ASSERT_EQ(::chown(owned.c_str(), kOtherUser, kOtherUser), 0);
    platform::SettingsFile settings(file.string());
    EXPECT_EQ(settings.CreateKey("SOFTWARE\\Quillrate\\"), nullptr) << c.name;
    EXPECT_NE(settings.WriteFailure().find(c.reason), std::string::npos)
        << c.name << ": " << settings.WriteFailure();
    EXPECT_NE(settings.WriteFailure().find("belongs to another user (uid 65534)"),
              std::string::npos)
        << c.name;
    EXPECT_EQ(Text(file), "#\n") << c.name;
  }
}

// An editor's byte-order mark before the first header loses no value on the next write.
TEST(HostileFiles, ASettingsFileWithAByteOrderMarkKeepsItsValues) {
  TempDir dir;
  const fs::path file = fs::path(dir.Path()) / "settings.ini";
  const std::string text = "\xEF\xBB\xBF[SOFTWARE\\QUILLRATE]\nHEIGHT=dword:300\nWIDTH=dword:500\n";
  WriteBytes(file, std::vector<uint8_t>(text.begin(), text.end()));
  platform::SettingsFile settings(file.string());
  auto key = settings.OpenKey("SOFTWARE\\Quillrate\\", platform::Registry::Access::All);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->SetValue("UserDefinedFule", platform::RegType::String, Bytes("/m.txt")));
  const std::string written = Text(file);
  EXPECT_NE(written.find("HEIGHT=dword:300\n"), std::string::npos) << written;
  EXPECT_NE(written.find("WIDTH=dword:500\n"), std::string::npos) << written;
  EXPECT_NE(written.find("USERDEFINEDFULE=sz:/m.txt\n"), std::string::npos) << written;
}

// --- The user media file from the terminal ----------------------------------------------------

// A file that gives no row is not registered: the button would keep a file that does nothing.
TEST(HostileFiles, AMediaFileWithoutARowIsNotRegistered) {
  TempDir dir;
  const ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path() + "/config");
  for (const std::string& text : {std::string(""), std::string("[CD]\nshort\n"),
                                  std::string("972666_795974=Before any header\n")}) {
    const std::string media = dir.Write("empty.txt", text);
    const CliRun run = RunCliArgs({"media-file", "use", media});
    EXPECT_EQ(run.status, cli::kExitFailure) << text;
    EXPECT_EQ(run.out, "") << text;
    EXPECT_NE(run.err.find(media + ": no usable CD or DVD row ("), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir.Path() + "/config/quillrate/settings.ini")) << text;
  }
}

// --- The user media file from the terminal ----------------------------------------------------

TEST(HostileFiles, TheUserFileCommandsSayWhatTheyCannotKeep) {
  TempDir dir;
  const ScopedEnv xdg("XDG_CONFIG_HOME", dir.Path() + "/config");
  // A path of 256 bytes does not fit the setting; one of 255 does.
  const auto fileWithPathLength = [&](size_t length) {
    fs::path folder(dir.Path());
    const size_t room = length - folder.string().size() - 1;
    folder /= std::string(room - 10, 'd');
    fs::create_directories(folder);
    const fs::path file = folder / std::string(9, 'f');
    std::ofstream(file) << "[CD]\n972666_795974=Long\n";
    EXPECT_EQ(file.string().size(), length);
    return file.string();
  };
  const std::string tooLong = fileWithPathLength(256);
  const CliRun refused = RunCliArgs({"media-file", "use", tooLong});
  EXPECT_EQ(refused.status, cli::kExitFailure);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "quillrate-cli: The path of the user-defined file is too long to be kept "
            "(256 bytes; at most 255):\n" +
                tooLong + "\n");
  EXPECT_FALSE(fs::exists(dir.Path() + "/config/quillrate/settings.ini"));
  EXPECT_EQ(RunCliArgs({"media-file", "use", fileWithPathLength(255)}).status, cli::kExitOk);

  // A simulated machine keeps nothing, and says so; a media file can be tried for one report.
  const std::string media = dir.Write("m.txt", "[CD]\n972666_795974=Tried for one run\n");
  const CliRun simulated = RunCliArgs({"--simulate", "media-file", "use", media});
  EXPECT_EQ(simulated.status, cli::kExitOk);
  EXPECT_NE(simulated.err.find("a simulated machine keeps no settings"), std::string::npos);
  const CliRun tried = RunCliArgs({"--simulate", "report", "--drive", "1", "--media-file", media});
  EXPECT_NE(tried.out.find("Manufacturer Maybe = Tried for one run\n"), std::string::npos)
      << tried.out;
  const CliRun missing =
      RunCliArgs({"--simulate", "report", "--media-file", dir.Path() + "/none.txt"});
  EXPECT_EQ(missing.status, cli::kExitNoFile);
  EXPECT_EQ(missing.err, "quillrate-cli: " + dir.Path() + "/none.txt: no such file\n");
}

// --- Output that cannot be written -------------------------------------------------------------

TEST(HostileFiles, OutputThatCannotBeWrittenIsAFailure) {
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  std::ostringstream err;
  EXPECT_EQ(cli::FinishOutput(cli::kExitOk, broken, err), cli::kExitFailure);
  EXPECT_EQ(err.str().rfind("quillrate-cli: the output could not be written: ", 0), 0u);
  // A failure keeps its own status.
  EXPECT_EQ(cli::FinishOutput(cli::kExitNoDrive, broken, err), cli::kExitNoDrive);
}

// A full disk is named as the system names it, also when the write that failed came long
// before the end and others were tried after it.
TEST(HostileFiles, AFullDiskIsReportedAsSuch) {
  const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  if (fd < 0) GTEST_SKIP() << "no /dev/full on this machine";
  for (const size_t size : {size_t{10}, size_t{5000}, size_t{200000}}) {
    std::ostringstream err;
    int status = -1;
    {
      cli::FdOutputBuffer buffer(fd);
      std::ostream out(&buffer);
      out << std::string(size, 'x') << '\n';
      status = cli::FinishOutput(cli::kExitOk, out, err);
    }
    EXPECT_EQ(status, cli::kExitFailure) << size;
    EXPECT_EQ(err.str(),
              "quillrate-cli: the output could not be written: No space left on device\n")
        << size;
  }
  ::close(fd);
}

}  // namespace
