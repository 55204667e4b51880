// `quillrate-cli features` and `feature NAME on|off`: the drive's three vendor features,
// as the window's feature pages show and switch them.
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/drive_choice.h"
#include "cli/drive_watch.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "features/feature_switches.h"
#include "features/feature_view.h"

namespace cli {
namespace {

using features::Feature;

constexpr const char* kJsonHelp = "Print the features as JSON";

// The captions beside the support and state values, as on the feature pages.
struct Captions {
  const char* support;
  const char* state;
  const char* key;
};

Captions CaptionsOf(Feature feature) {
  switch (feature) {
    case Feature::QuillrateDisable:
      return {"Support Quillrate disable function :", "Quillrate function is disabled :",
              "quillrate-disable"};
    case Feature::Trimwave:
      return {"Support Trimwave function :", "Trimwave function is active :", "trimwave"};
    case Feature::Pacelift:
      return {"Support Pacelift function :", "Pacelift function is active :", "pacelift"};
  }
  return {"", "", ""};
}

// The feature a command line names with its key ("trimwave"); the parser has checked the key.
Feature FeatureNamed(const std::string& key) {
  for (const Feature feature : features::kAllFeatures) {
    if (key == CaptionsOf(feature).key) return feature;
  }
  return features::kAllFeatures[0];
}

std::vector<std::string> FeatureKeys() {
  std::vector<std::string> keys;
  for (const Feature feature : features::kAllFeatures) keys.emplace_back(CaptionsOf(feature).key);
  return keys;
}

void PrintFeatures(std::ostream& out, const std::array<features::FeatureView, 3>& views,
                   bool json) {
  if (json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t i = 0; i < views.size(); ++i) {
      const Feature feature = features::kAllFeatures[i];
      list.push_back({{"feature", CaptionsOf(feature).key},
                      {"name", features::DisplayNameOf(feature)},
                      {"supported", views[i].support},
                      {"state", views[i].state},
                      {"button", views[i].buttonCaption},
                      {"button_enabled", views[i].buttonEnabled}});
    }
    PrintJson(out, nlohmann::ordered_json{{"features", list}});
    return;
  }
  for (size_t i = 0; i < views.size(); ++i) {
    const Feature feature = features::kAllFeatures[i];
    const Captions captions = CaptionsOf(feature);
    out << features::DisplayNameOf(feature) << '\n'
        << "  " << captions.support << ' ' << views[i].support << '\n'
        << "  " << captions.state << ' ' << views[i].state << '\n'
        << "  [" << views[i].buttonCaption << "]" << (views[i].buttonEnabled ? "" : " (disabled)")
        << '\n';
  }
}

}  // namespace

Command AddFeaturesCommand(CLI::App& app) {
  auto options = std::make_shared<DriveOptions>();
  CLI::App* parser = app.add_subcommand("features", "Show the drive's three vendor features");
  AddDriveAndJsonOptions(*parser, *options, kJsonHelp);
  return {parser, [options](Session& session) {
            int status = kExitOk;
            const std::optional<int> index = ChooseDrive(session, options->drive, status);
            if (!index) return status;
            DriveWatch watch(session, session.Device(), *index);
            PrintFeatures(session.out, features::RefreshAbilities(session.Device()), options->json);
            return watch.StoppedAnswering("the feature reads") ? int{kExitNoAnswer} : int{kExitOk};
          }};
}

Command AddFeatureCommand(CLI::App& app) {
  struct Options : DriveOptions {
    std::string name;
    std::string state;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parser = app.add_subcommand(
      "feature",
      "Switch one vendor feature on or off, then show all three; exit status 1 when "
      "the drive does not take the change");
  parser->add_option("NAME", options->name, "quillrate-disable, trimwave or pacelift")
      ->required()
      ->check(CLI::IsMember(FeatureKeys()));
  AddOnOffArgument(*parser, options->state);
  AddDriveAndJsonOptions(*parser, *options, kJsonHelp);
  return {parser, [options](Session& session) {
            const Feature feature = FeatureNamed(options->name);
            const bool on = options->state == "on";
            int status = kExitOk;
            const std::optional<int> index = ChooseDrive(session, options->drive, status);
            if (!index) return status;
            device::AtapiDevice& device = session.Device();
            DriveWatch watch(session, device, *index);
            // The window disables the button of a feature the drive does not support; the
            // terminal sends nothing for it either. A drive that did not answer the read has
            // said nothing about its support.
            if ((features::ReadStatus(device, feature) & features::kSupported) == 0) {
              PrintFeatures(session.out, features::RefreshAbilities(device), options->json);
              if (watch.StoppedAnswering("the feature read")) return int{kExitNoAnswer};
              session.err << "quillrate-cli: the drive does not support " << options->name
                          << "; nothing was sent\n";
              return int{kExitFailure};
            }
            const bool taken = features::Switch(device, feature, on);
            if (features::PressShowsWarning(feature, on)) {
              session.err << features::kPaceliftWarningCaption << ' ' << features::kPaceliftWarning
                          << '\n';
            }
            const auto views = features::RefreshAbilities(device);
            PrintFeatures(session.out, views, options->json);
            if (watch.StoppedAnswering("the switch")) return int{kExitNoAnswer};
            if (!taken) {
              session.err << "quillrate-cli: the drive did not take the change\n";
              return int{kExitFailure};
            }
            return int{kExitOk};
          }};
}

}  // namespace cli
