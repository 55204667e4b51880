// One build: a property file and a prototype executable in, a customized edition
// "Quillrate.exe" out, and the message that tells the user how it went. The builder window
// and `quillrate-cli build` both run it and show its outcome as it stands.
#pragma once

#include <string>
#include <string_view>

#include "custom/prototype_file.h"

namespace custom {

enum class MessageIcon { Stop, Information };

enum class BuildStatus {
  Created,
  NoFileSelected,          // the path is empty
  FileNotExists,           // no regular file at the path
  PropertyFileUnreadable,  // it exists but cannot be opened or read
  LoadPrototypeFailed,
  NoBlock,     // the prototype carries no complete customization block
  BadHexPair,  // a [DVD] line stopped the build
  SaveFailed,
};

struct BuildRequest {
  std::string propertyPath;  // used exactly as given
  std::string prototypePath = platform::RunningProgramPath();
  std::string outputDir = ".";
};

struct BuildOutcome {
  BuildStatus status = BuildStatus::Created;
  std::string caption;  // "Information" or "Error"
  MessageIcon icon = MessageIcon::Information;
  std::string text;
  std::string outputPath;  // Created: the edition's path
  // A failed step on a file: the file and why, in plain words. The window shows `text` as it
  // stands; the terminal prints this on a line of its own after it.
  std::string detail;
  bool Succeeded() const { return status == BuildStatus::Created; }
};

// The property file's path as the builder window takes it from its text field: with the blanks
// and control characters around it dropped. A path given on a command line is used as typed.
std::string PropertyPathFromField(std::string_view fieldText);

// Nothing is written unless every step succeeds; a failed build leaves any earlier
// "Quillrate.exe" as it was.
BuildOutcome BuildEdition(const BuildRequest& request);

// The outcome of a failed step, with the caption and icon of every error.
BuildOutcome BuildError(BuildStatus status, std::string text, std::string detail = {});

// Whether the builder window must ask for the edition's folder instead of writing into
// `outputDir`: it is the folder of the prototype `prototypePath`, the running program itself.
// An installed copy lives in a folder its users cannot write (Program Files) and that no
// edition belongs in.
bool OutputDirNeedsChoice(const std::string& outputDir, const std::string& prototypePath);

// Texts shared by the builder and the build-mode copy.
std::string BlockSearchErrorText(bool truncated);
// "PATH: REASON", the detail of a failed step on a file.
std::string FileErrorDetail(const std::string& path, const std::string& reason);

}  // namespace custom
