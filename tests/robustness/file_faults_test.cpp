// Every file the program writes or reads, under every fault a file meets on a real system:
// no permission for the folder (or the file), a full disk (or a failing read), the file
// renamed over or rewritten in place while it is read, and a folder, a link to nothing or a
// named pipe where the file should be. Each case runs through the terminal command and through
// the function the windows call. A failure must leave every file as it was and no temporary
// file behind, print no success, and name the file and the reason; a fault the program rides
// out must give one whole version of the file, never a mix.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "custom/build_edition.h"
#include "custom/build_mode_copy.h"
#include "custom/builder_fixtures.h"
#include "custom/find_block.h"
#include "custom/temp_dir.h"
#include "custom/user_media_file.h"
#include "file_fault_support.h"
#include "platform/files/file_test_hooks.h"
#include "platform/linux/linux_system.h"
#include "platform/sim/sim_system.h"
#include "settings/os_info.h"

namespace file_faults {
namespace {

// The message as the terminal prints it: the window's text, then the file and why.
std::string WithDetail(const custom::BuildOutcome& outcome) {
  return outcome.detail.empty() ? outcome.text : outcome.text + "\n" + outcome.detail;
}

namespace fs = std::filesystem;

// The user an unprivileged run becomes when the tests run as root (see RunUnprivileged).
constexpr uid_t kUnprivileged = 65534;

enum class Kind { Settings, MediaFile, PropertyFile, Prototype, BuildModeExe, Edition, Copy };
enum class Fault { NoPermission, IoError, RenamedOver, RewrittenInPlace, Folder, BrokenLink, Pipe };
enum class Way { Cli, Function };

constexpr size_t kBefore = 1000;
constexpr size_t kAfter = 300;

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

using custom_test::ReadBytes;
using custom_test::WriteBytes;

// A prototype whose bytes before the block are all `filler`, so two versions differ there.
std::vector<uint8_t> Prototype(uint8_t filler) {
  auto image = custom_test::PrototypeImage(*custom_test::ShippedBlock('0'), kBefore, kAfter);
  std::fill(image.begin(), image.begin() + kBefore, filler);
  return image;
}

std::string SettingsText(const fs::path& media, uint32_t width, uint32_t height) {
  return "[SOFTWARE\\QUILLRATE]\nHEIGHT=dword:" + std::to_string(height) +
         "\nUSERDEFINEDFULE=sz:" + media.string() + "\nWIDTH=dword:" + std::to_string(width) + "\n";
}

// The files of one case: settings, a user media file, a property file and a prototype, and an
// earlier edition and build-mode copy that a failed build must leave as they are.
struct Scene {
  explicit Scene(const fs::path& dir) : root(dir) {
    for (const fs::path& folder :
         {settings.parent_path(), media.parent_path(), properties.parent_path(), out, elsewhere}) {
      fs::create_directories(folder);
    }
    for (const fs::path& folder : {root, root / "config", settings.parent_path(),
                                   media.parent_path(), properties.parent_path(), out, elsewhere}) {
      fs::permissions(folder, fs::perms(0755));
    }
    Write(settings, Old(Kind::Settings));
    Write(media, Old(Kind::MediaFile));
    Write(chosen, Bytes("[CD]\n972666_795974=Chosen\n"));
    Write(properties, Old(Kind::PropertyFile));
    Write(prototype, Old(Kind::Prototype));
    Write(edition, Bytes("an earlier edition"));
    Write(copy, Bytes("an earlier copy"));
  }
  ~Scene() { RestorePermissions(root); }

  static void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
    WriteBytes(path, bytes);
    fs::permissions(path, fs::perms(0644));
  }

  // The file as the case starts, and the version a fault puts in its place.
  std::vector<uint8_t> Old(Kind kind) const { return Version(kind, false); }
  std::vector<uint8_t> Other(Kind kind) const { return Version(kind, true); }

  std::vector<uint8_t> Version(Kind kind, bool other) const {
    switch (kind) {
      case Kind::Settings:
        return Bytes(other ? SettingsText(oldMedia, 111, 222) : SettingsText(oldMedia, 479, 428));
      case Kind::MediaFile:
        return Bytes(other ? "[CD]\n972666_795974=New\n"
                           : "[CD]\n972666_795974=Old one\n972666_795975=Old two\n");
      case Kind::PropertyFile:
        return Bytes(other ? "[PROPERTY]\nNAME=New edition\n" : "[PROPERTY]\nNAME=Old edition\n");
      case Kind::Prototype:
      case Kind::BuildModeExe:
        return Prototype(other ? 'N' : 'O');
      case Kind::Edition:
      case Kind::Copy:
        break;
    }
    return {};
  }

  fs::path Target(Kind kind) const {
    switch (kind) {
      case Kind::Settings:
        return settings;
      case Kind::MediaFile:
        return media;
      case Kind::PropertyFile:
        return properties;
      case Kind::Prototype:
      case Kind::BuildModeExe:
        return prototype;
      case Kind::Edition:
        return edition;
      case Kind::Copy:
        return copy;
    }
    return {};
  }

  fs::path root;
  fs::path config = root / "config";
  fs::path settings = config / "quillrate" / "settings.ini";
  fs::path oldMedia = root / "media" / "registered.txt";
  fs::path media = root / "media" / "media.txt";
  fs::path chosen = root / "media" / "chosen.txt";
  fs::path properties = root / "build" / "edition.properties";
  fs::path prototype = root / "build" / "prototype";
  fs::path out = root / "out";
  fs::path edition = out / "Quillrate.exe";
  fs::path copy = out / "flagged.exe";
  fs::path elsewhere = root / "elsewhere";
  fs::path nowhere = elsewhere / "missing";
};

bool IsWritten(Kind kind) {
  return kind == Kind::Settings || kind == Kind::Edition || kind == Kind::Copy;
}

// Makes the settings folder and file those of the user an unprivileged run becomes, as a
// user's own settings are.
void GiveToTheUnprivilegedUser(const fs::path& settings) {
  if (::geteuid() != 0) return;
  for (const fs::path& path : {settings.parent_path(), settings}) {
    if (fs::exists(fs::symlink_status(path))) {
      EXPECT_EQ(::lchown(path.c_str(), kUnprivileged, kUnprivileged), 0) << path;
    }
  }
}

// Puts the fault in place. The settings are written after they are read, so every fault
// applies to them; an output file is never read, so it is never read while replaced.
void Arrange(Fault fault, Kind kind, const Scene& scene) {
  const fs::path target = scene.Target(kind);
  auto& hooks = platform::TestHooks();
  switch (fault) {
    case Fault::NoPermission:
      // The unprivileged run's settings are its own: another user's are refused outright.
      if (kind == Kind::Settings) GiveToTheUnprivilegedUser(scene.settings);
      if (IsWritten(kind)) {
        fs::permissions(target.parent_path(), fs::perms(0555));
      } else {
        fs::permissions(target, fs::perms::none);
      }
      return;
    case Fault::IoError:
      if (IsWritten(kind)) {
        hooks.writeFailure = {platform::WriteStep::Write, 10, ENOSPC};
      } else {
        hooks.readFailure = {target.string(), 10, EIO};
      }
      return;
    case Fault::RenamedOver:
      hooks.afterOpen = {target.string(), [target, other = scene.Other(kind)] {
                           WriteBytes(target.string() + ".other", other);
                           fs::rename(target.string() + ".other", target);
                         }};
      return;
    case Fault::RewrittenInPlace: {
      // An old time stamp, so that the rewrite changes it however fast it comes.
      const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
      ::utimensat(AT_FDCWD, target.c_str(), old, 0);
      hooks.afterOpen = {target.string(),
                         [target, other = scene.Other(kind)] { WriteBytes(target, other); }};
      return;
    }
    case Fault::Folder:
      fs::remove(target);
      fs::create_directory(target);
      return;
    case Fault::BrokenLink:
      fs::remove(target);
      fs::create_symlink(scene.nowhere, target);
      return;
    case Fault::Pipe:
      fs::remove(target);
      ::mkfifo(target.c_str(), 0644);
      return;
  }
}

// What the message must say about the file, in plain words.
std::string Reason(Fault fault, Kind kind, const Scene& scene) {
  const bool written = IsWritten(kind);
  // The settings are read before they are written, and a file that cannot be read is kept.
  const std::string kept = kind == Kind::Settings ? " (left as it was)" : "";
  switch (fault) {
    case Fault::NoPermission:
      return written ? "cannot create a file in its folder: Permission denied"
                     : "cannot be opened: Permission denied";
    case Fault::IoError:
      return written ? "writing failed: No space left on device" : "read error: Input/output error";
    case Fault::RenamedOver:
    case Fault::RewrittenInPlace:
      return "changed while it was being read";
    case Fault::Folder:
      return "a folder, not a file" + kept;
    case Fault::BrokenLink:
      return "a symbolic link to " + scene.nowhere.string() + ", which does not exist" + kept;
    case Fault::Pipe:
      return "a named pipe, not a regular file" + kept;
  }
  return {};
}

// The builder's first line for the fault.
std::string BuilderHeadline(Fault fault, Kind kind) {
  const bool noFile = fault == Fault::Folder || fault == Fault::BrokenLink || fault == Fault::Pipe;
  switch (kind) {
    case Kind::PropertyFile:
      return noFile ? "File not exists !" : "Property file cannot be read !";
    case Kind::Prototype:
      return "Load prototype failed !";
    case Kind::BuildModeExe:
      return noFile ? "File not exists !" : "Load prototype failed !";
    default:
      break;
  }
  switch (fault) {
    case Fault::NoPermission:
      return "Output folder is not writable !";
    case Fault::IoError:
      return "Write output file failed !";
    case Fault::Folder:
      return "Output file name is taken by a folder !";
    case Fault::BrokenLink:
      return "Output file is a broken symbolic link, not replaced !";
    default:
      return "Output file is not a regular file, not replaced !";
  }
}

struct Expected {
  int status;
  std::string err;
};

Expected Failure(Way way, Fault fault, Kind kind, const Scene& scene) {
  const std::string path = scene.Target(kind).string();
  const std::string reason = Reason(fault, kind, scene);
  const bool cli = way == Way::Cli;
  switch (kind) {
    case Kind::Settings:
      return cli ? Expected{1, "quillrate-cli: the setting could not be written: " + path + ": " +
                                   reason + "\n"}
                 : Expected{1, path + ": " + reason};
    case Kind::MediaFile:
      return cli ? Expected{5, "quillrate-cli: " + path + ": " + reason + "\n"}
                 : Expected{5, reason};
    default: {
      const std::string text = BuilderHeadline(fault, kind) + "\n" + path + ": " + reason;
      const int status = IsWritten(kind) ? 1 : 5;
      return cli ? Expected{status, "Error: " + text + "\n"} : Expected{1, text};
    }
  }
}

class NoMessages : public platform::MessageSink {
 public:
  void ShowMessage(const std::string&, const std::string&, uint32_t) override {}
};

Outcome RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

// The terminal command that reads or writes the kind's file, on the real platform (the
// settings live under XDG_CONFIG_HOME, which the test points into the scene).
Outcome RunCli(Kind kind, const Scene& scene) {
  switch (kind) {
    case Kind::Settings:
      return RunCommand({"media-file", "use", scene.chosen.string()});
    case Kind::MediaFile:
      return RunCommand({"media-file", "check", scene.media.string()});
    case Kind::PropertyFile:
    case Kind::Prototype:
    case Kind::Edition:
      return RunCommand({"build", scene.properties.string(), "--prototype",
                         scene.prototype.string(), "--output-dir", scene.out.string()});
    case Kind::BuildModeExe:
    case Kind::Copy:
      return RunCommand(
          {"build-mode", "on", scene.prototype.string(), "--output", scene.copy.string()});
  }
  return {};
}

// The function the windows call: status 0 and what was made, or the failure and its message.
Outcome RunFunction(Kind kind, const Scene& scene) {
  switch (kind) {
    case Kind::Settings: {
      NoMessages messages;
      const auto system = platform::CreateNativeSystem(messages);
      const bool written = settings::OSInfo::WriteRegString(
          *system, settings::kProgramKey, custom::kUserFileValueName, scene.chosen.string());
      return {written ? 0 : 1, "", written ? "" : system->Settings().WriteFailure()};
    }
    case Kind::MediaFile: {
      sim::SimSystem system{sim::Machine{}};
      settings::OSInfo::WriteRegString(system, settings::kProgramKey, custom::kUserFileValueName,
                                       scene.media.string());
      custom::UserMediaRows rows;
      const auto loaded = custom::LoadUserMediaFile(system, rows);
      std::string texts;
      for (const auto& row : rows.cd) texts += std::string(custom::DisplayTextOf(row)) + "|";
      return {loaded.status == custom::UserMediaFileStatus::Read ? 0 : 5, texts, loaded.reason};
    }
    case Kind::PropertyFile:
    case Kind::Prototype:
    case Kind::Edition: {
      const auto outcome = custom::BuildEdition(
          {scene.properties.string(), scene.prototype.string(), scene.out.string()});
      if (outcome.Succeeded()) return {0, outcome.text, ""};
      return {1, "", WithDetail(outcome)};
    }
    case Kind::BuildModeExe:
    case Kind::Copy: {
      const auto outcome =
          custom::WriteBuildModeCopy(scene.prototype.string(), true, scene.copy.string());
      if (outcome.Succeeded()) return {0, outcome.text, ""};
      return {1, "", WithDetail(outcome)};
    }
  }
  return {};
}

std::string ProgramNameOf(const std::vector<uint8_t>& edition) {
  const auto found = custom::FindBlock(edition);
  if (found.status != custom::BlockSearchStatus::Found) return "<no block>";
  return custom::CustomizationBlockView(edition.data() + found.offset).ProgramName();
}

// A fault the program rides out: the result is made from one whole version of the file.
void ExpectOneWholeVersion(Way way, Kind kind, Fault fault, const Scene& scene,
                           const Outcome& run) {
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const bool cli = way == Way::Cli;
  switch (kind) {
    case Kind::Settings: {
      // Read again after the fault, so the newer version's values are kept beside the new one.
      NoMessages messages;
      const auto system = platform::CreateNativeSystem(messages);
      std::array<char, 256> value{};
      ASSERT_TRUE(settings::OSInfo::ReadRegString(*system, settings::kProgramKey,
                                                  custom::kUserFileValueName, value));
      EXPECT_EQ(std::string(value.data()), scene.chosen.string());
      const std::string text = [&] {
        const auto bytes = ReadBytes(scene.settings);
        return std::string(bytes.begin(), bytes.end());
      }();
      EXPECT_NE(text.find("WIDTH=dword:111\n"), std::string::npos) << text;
      EXPECT_NE(text.find("HEIGHT=dword:222\n"), std::string::npos) << text;
      if (cli) {
        EXPECT_EQ(run.out, "User-defined file added !\n1 CD rows, 0 DVD rows loaded\n");
      }
      return;
    }
    case Kind::MediaFile:
      ASSERT_EQ(fault, Fault::RenamedOver);
      EXPECT_EQ(run.out, cli ? "line 2: CD row, lead-in 972666, lead-out 795974, text \"Old one\"\n"
                               "line 3: CD row, lead-in 972666, lead-out 795975, text \"Old two\"\n"
                               "2 CD rows, 0 DVD rows taken; 0 lines skipped\n"
                             : "Old one|Old two|");
      return;
    case Kind::PropertyFile:
      EXPECT_EQ(ProgramNameOf(ReadBytes(scene.edition)), "Old edition");
      return;
    case Kind::Prototype:
    case Kind::BuildModeExe: {
      const fs::path made = kind == Kind::Prototype ? scene.edition : scene.copy;
      const auto bytes = ReadBytes(made);
      ASSERT_EQ(bytes.size(), scene.Old(kind).size());
      EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + kBefore, scene.Old(kind).begin()));
      return;
    }
    case Kind::Edition:
    case Kind::Copy:
      // A link at a new file's name is replaced by the file, never followed.
      ASSERT_EQ(fault, Fault::BrokenLink);
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(scene.Target(kind))));
      EXPECT_FALSE(fs::exists(fs::symlink_status(scene.nowhere)));
      EXPECT_EQ(run.out.rfind("File created successfully !", 0), 0u) << run.out;
      return;
  }
  ADD_FAILURE() << "no whole-version check for this kind";
}

// Whether the program carries on through the fault rather than failing.
bool RidesOut(Kind kind, Fault fault) {
  if (kind == Kind::Edition || kind == Kind::Copy) return fault == Fault::BrokenLink;
  if (kind == Kind::Settings)
    return fault == Fault::RenamedOver || fault == Fault::RewrittenInPlace;
  return fault == Fault::RenamedOver;
}

bool Applies(Kind kind, Fault fault) {
  const bool whileRead = fault == Fault::RenamedOver || fault == Fault::RewrittenInPlace;
  return !(whileRead && (kind == Kind::Edition || kind == Kind::Copy));
}

struct Case {
  Kind kind;
  Fault fault;
  Way way;
  std::string name;
};

std::vector<Case> AllCases() {
  const std::vector<std::pair<Kind, const char*>> kinds = {
      {Kind::Settings, "Settings"},         {Kind::MediaFile, "MediaFile"},
      {Kind::PropertyFile, "PropertyFile"}, {Kind::Prototype, "Prototype"},
      {Kind::BuildModeExe, "BuildModeExe"}, {Kind::Edition, "Edition"},
      {Kind::Copy, "BuildModeCopy"}};
  const std::vector<std::pair<Fault, const char*>> faults = {
      {Fault::NoPermission, "NoPermission"},
      {Fault::IoError, "IoError"},
      {Fault::RenamedOver, "RenamedOver"},
      {Fault::RewrittenInPlace, "RewrittenInPlace"},
      {Fault::Folder, "Folder"},
      {Fault::BrokenLink, "BrokenLink"},
      {Fault::Pipe, "NamedPipe"}};
  std::vector<Case> cases;
  for (const auto& [kind, kindName] : kinds) {
    for (const auto& [fault, faultName] : faults) {
      if (!Applies(kind, fault)) continue;
      for (const Way way : {Way::Cli, Way::Function}) {
        cases.push_back(
            {kind, fault, way,
             std::string(kindName) + "_" + faultName + (way == Way::Cli ? "_Cli" : "_Function")});
      }
    }
  }
  return cases;
}

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class FileFaults : public testing::TestWithParam<Case> {};

TEST_P(FileFaults, FailCleanlyOrGiveOneWholeVersion) {
  const Case& c = GetParam();
  custom_test::TempDir dir;
  const Scene scene(dir.Path());
  const ScopedEnv config("XDG_CONFIG_HOME", scene.config.string());
  const ScopedHooks hooks;
  Arrange(c.fault, c.kind, scene);
  const Tree before = Snapshot(scene.root);

  const auto run = [&] {
    return c.way == Way::Cli ? RunCli(c.kind, scene) : RunFunction(c.kind, scene);
  };
  const Outcome outcome = c.fault == Fault::NoPermission ? RunUnprivileged(run) : run();

  EXPECT_EQ(HiddenNames(scene.root), "") << "a temporary file was left";
  if (RidesOut(c.kind, c.fault)) {
    ExpectOneWholeVersion(c.way, c.kind, c.fault, scene, outcome);
    return;
  }
  const Expected expected = Failure(c.way, c.fault, c.kind, scene);
  EXPECT_EQ(outcome.status, expected.status);
  EXPECT_EQ(outcome.out, "") << "no success may be told after a failure";
  EXPECT_EQ(outcome.err, expected.err);
  // Every file is as it was, but for the rewrite the fault itself made.
  Tree after = Snapshot(scene.root);
  if (c.fault == Fault::RewrittenInPlace) {
    const std::string target = fs::relative(scene.Target(c.kind), scene.root).string();
    EXPECT_EQ(ReadBytes(scene.Target(c.kind)), scene.Other(c.kind));
    after.erase(target);
    Tree expectedTree = before;
    expectedTree.erase(target);
    EXPECT_EQ(after, expectedTree);
  } else {
    EXPECT_EQ(after, before);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFileEveryFault, FileFaults, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<Case>& param) {
                           return param.param.name;
                         });

// A settings file the user cannot read (no permission) may hold values the program would lose
// by writing its own version in its place.
TEST(SettingsFaults, AFileThatCannotBeReadIsNeverReplaced) {
  custom_test::TempDir dir;
  const Scene scene(dir.Path());
  const ScopedEnv config("XDG_CONFIG_HOME", scene.config.string());
  fs::permissions(scene.settings.parent_path(), fs::perms::all);
  fs::permissions(scene.settings, fs::perms::none);
  // The folder is the user's own; the file in it is not even readable to them.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(scene.settings.parent_path().c_str(), kUnprivileged, kUnprivileged), 0);
  }
  const Tree before = Snapshot(scene.root);
  const std::string reason =
      scene.settings.string() + ": cannot be opened: Permission denied (left as it was)";

  const Outcome cli = RunUnprivileged([&] { return RunCli(Kind::Settings, scene); });
  EXPECT_EQ(cli.status, 1);
  EXPECT_EQ(cli.out, "");
  EXPECT_EQ(cli.err, "quillrate-cli: the setting could not be written: " + reason + "\n");
  const Outcome function = RunUnprivileged([&] {
    NoMessages messages;
    const auto system = platform::CreateNativeSystem(messages);
    const bool written =
        settings::OSInfo::WriteRegDword(*system, settings::kProgramKey, "Width", 1);
    return Outcome{written ? 0 : 1, "", system->Settings().WriteFailure()};
  });
  EXPECT_EQ(function.status, 1);
  EXPECT_EQ(function.err, reason);
  EXPECT_EQ(Snapshot(scene.root), before);
  EXPECT_EQ(HiddenNames(scene.root), "");
}

TEST(SettingsFaults, ASettingsFileThatIsALinkStaysALink) {
  custom_test::TempDir dir;
  const Scene scene(dir.Path());
  const ScopedEnv config("XDG_CONFIG_HOME", scene.config.string());
  const fs::path real = scene.elsewhere / "settings.ini";
  fs::rename(scene.settings, real);
  fs::create_symlink(real, scene.settings);

  const Outcome run = RunCli(Kind::Settings, scene);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink(scene.settings));
  const auto bytes = ReadBytes(real);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "[SOFTWARE\\QUILLRATE]\nHEIGHT=dword:428\nUSERDEFINEDFULE=sz:" + scene.chosen.string() +
                "\nWIDTH=dword:479\n");
  EXPECT_EQ(HiddenNames(scene.root), "");
}

}  // namespace
}  // namespace file_faults
