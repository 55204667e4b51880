// The program's pictures, drawn in code: the query button in its three states, the maker's
// logo and the OEM's logo.
#pragma once

#include <QPixmap>

namespace skin {

enum class ButtonState { Normal, Hover, Pressed };

// A transparent picture of `width` x `height` pixels of the layout, with as many device
// pixels as the sharpest screen shows (two per pixel at a scale of 2): pictures are drawn
// in code at that scale, never enlarged from a small bitmap.
QPixmap PictureCanvas(int width, int height);

QPixmap QueryButtonPicture(ButtonState state);  // 73 x 49
QPixmap MakerLogoPicture();                     // 95 x 26
QPixmap OemLogoPicture();                       // 85 x 67

}  // namespace skin
