// The program's pictures, drawn in code: the query button in its three states, the maker's
// logo and the OEM's logo.
#pragma once

#include <QPixmap>

namespace skin {

enum class ButtonState { Normal, Hover, Pressed };

QPixmap QueryButtonPicture(ButtonState state);  // 73 x 49
QPixmap MakerLogoPicture();                     // 95 x 26
QPixmap OemLogoPicture();                       // 85 x 67

}  // namespace skin
