#include "app/model/builder_model.h"

#include <exception>

namespace app::model {

WindowMessage BuildMessage(const custom::BuildOutcome& outcome) {
  return {
      outcome.text, outcome.caption,
      outcome.icon == custom::MessageIcon::Stop ? MessageIcon::Error : MessageIcon::Information};
}

void BuilderModel::cmdBuildClick(BuilderView& view) {
  view.EnableBuild(false);
  custom::BuildRequest request;
  request.propertyPath = custom::PropertyPathFromField(view.FileFieldText());
  request.prototypePath = prototypePath;
  // Never beside an installed program (Program Files): the user chooses the folder.
  if (!request.propertyPath.empty() && custom::OutputDirNeedsChoice(outputDir, programFile)) {
    const std::string chosen = view.ChooseOutputFolder();
    if (chosen.empty()) {
      view.EnableBuild(true);
      return;
    }
    outputDir = chosen;
  }
  request.outputDir = outputDir;
  custom::BuildOutcome outcome;
  try {
    outcome = custom::BuildEdition(request);
  } catch (const std::exception& e) {
    // Out of memory for a huge property file or prototype: nothing was written.
    outcome = custom::BuildError(custom::BuildStatus::LoadPrototypeFailed, e.what());
  }
  view.ShowMessage(BuildMessage(outcome));
  view.EnableBuild(true);
}

}  // namespace app::model
