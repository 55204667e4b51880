#include "features/feature_view.h"

namespace features {
namespace {

const char* EnableCaption(Feature feature) {
  switch (feature) {
    case Feature::QuillrateDisable:
      return "Enable Quillrate";
    case Feature::Trimwave:
      return "Enable Trimwave";
    case Feature::Pacelift:
      return "Enable Pacelift";
  }
  return "";
}

const char* DisableCaption(Feature feature) {
  switch (feature) {
    case Feature::QuillrateDisable:
      return "Disable Quillrate";
    case Feature::Trimwave:
      return "Disable Trimwave";
    case Feature::Pacelift:
      return "Disable Pacelift";
  }
  return "";
}

}  // namespace

const char* DisplayNameOf(Feature feature) {
  switch (feature) {
    case Feature::QuillrateDisable:
      return "Quillrate";
    case Feature::Trimwave:
      return "Trimwave";
    case Feature::Pacelift:
      return "Pacelift";
  }
  return "";
}

FeatureView ViewOf(Feature feature, uint8_t status) {
  if (!(status & kSupported)) return {"NO", "N/A", false, EnableCaption(feature)};
  if (status & kActive) return {"YES", "YES", true, DisableCaption(feature)};
  return {"YES", "NO", true, EnableCaption(feature)};
}

FeatureView InitialView(Feature feature) {
  return {"N/A", "N/A", true, EnableCaption(feature)};
}

bool PressSwitchesOn(const std::string& stateLabel) {
  return stateLabel == "NO";
}

bool PressShowsWarning(Feature feature, bool on) {
  return feature == Feature::Pacelift && on;
}

std::array<FeatureView, 3> RefreshAbilities(device::AtapiDevice& device) {
  // One read of the page holds all three features.
  const std::array<uint8_t, 3> statuses = ReadAllStatuses(device);
  std::array<FeatureView, 3> views;
  for (size_t i = 0; i < kAllFeatures.size(); ++i) views[i] = ViewOf(kAllFeatures[i], statuses[i]);
  return views;
}

}  // namespace features
