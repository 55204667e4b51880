// What the feature pages show for a status value, and the rules of their buttons.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/atapi_device.h"
#include "features/feature_switches.h"

namespace features {

inline constexpr const char* kPaceliftWarning =
    "Pacelift function is used for advance users , the quality of disc can't be guaranteed "
    "after burning with this function.";
inline constexpr const char* kPaceliftWarningCaption = "Warning...";

struct FeatureView {
  std::string support;  // "YES" or "NO"
  std::string state;    // "YES", "NO" or "N/A"
  bool buttonEnabled = false;
  std::string buttonCaption;
};

FeatureView ViewOf(Feature feature, uint8_t status);
// The labels and buttons before the first refresh.
FeatureView InitialView(Feature feature);
// A press switches the feature on exactly when its state label reads "NO".
bool PressSwitchesOn(const std::string& stateLabel);
// Switching Pacelift on always shows the warning, whether or not the drive took it.
bool PressShowsWarning(Feature feature, bool on);

// Reads the three features in refresh order and returns their views.
std::array<FeatureView, 3> RefreshAbilities(device::AtapiDevice& device);

const char* DisplayNameOf(Feature feature);  // "Quillrate", "Trimwave", "Pacelift"

}  // namespace features
