// The builder window's behaviour without a toolkit: one build per Build click, with Build
// disabled while it runs and enabled again after every outcome, the folder question when the
// edition would land beside the program itself, and the message of each outcome.
#pragma once

#include <string>

#include "app/model/builder_view.h"
#include "custom/build_edition.h"

namespace app::model {

class BuilderModel {
 public:
  // Where the builder reads its prototype and writes "Quillrate.exe": the running program and
  // the current folder unless a test says otherwise.
  std::string prototypePath = platform::RunningProgramPath();
  std::string outputDir = ".";
  // The program's own file: when the output folder is its folder (an installed copy started
  // there), Build asks for the folder instead and keeps the answer for the next builds.
  std::string programFile = platform::RunningProgramFile();

  void cmdBuildClick(BuilderView& view);
};

// A build's outcome as the builder's message box shows it.
WindowMessage BuildMessage(const custom::BuildOutcome& outcome);

}  // namespace app::model
