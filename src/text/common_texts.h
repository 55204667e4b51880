// Messages that the window programs and the terminal companion say in the same words.
#pragma once

namespace text {

// What every program says when the drive list is empty.
inline constexpr const char* kNoDriveDetectedText = "No drive detected !";

}  // namespace text
