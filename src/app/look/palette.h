// Every colour of the skin, for every view: the frame colour and border that the window
// layouts fix, and the skin's own scheme, a steel-blue title bar over light grey controls.
// The Qt skin and the Win32 skin both paint from this table, so the two cannot drift apart.
#pragma once

#include <cstdint>

namespace app::look {

struct Rgb {
  uint8_t red, green, blue;
  uint8_t alpha = 0xFF;  // how much of the colour covers what lies below (0xFF: all of it)
  constexpr bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0x00, 0x00, 0x00};
inline constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};

// The window frame.
inline constexpr Rgb kFrameColor{0xE8, 0xE8, 0xE8};
inline constexpr Rgb kBorderColor = kBlack;
inline constexpr Rgb kTitleTop{0x4A, 0x74, 0xA8};
inline constexpr Rgb kTitleBottom{0x23, 0x45, 0x75};
inline constexpr Rgb kTitleText = kWhite;

// The title bar's buttons: their face at rest, under the mouse and pressed, the close
// button's face under the mouse, and their light edge.
inline constexpr Rgb kTitleButtonFace{0x53, 0x82, 0xBC};     // the title's top, 12 % lighter
inline constexpr Rgb kTitleButtonHover{0x64, 0x9D, 0xE3};    // the title's top, 35 % lighter
inline constexpr Rgb kTitleButtonPressed{0x1B, 0x35, 0x5A};  // the title's bottom, darker
inline constexpr Rgb kCloseButtonHover{0xC8, 0x3C, 0x32};
inline constexpr Rgb kTitleButtonEdge{0xFF, 0xFF, 0xFF, 150};
// The system menu's mark: a small shining disc with a dot of the title's bottom colour.
inline constexpr Rgb kSystemMenuShine{0xF4, 0xF8, 0xFF};
inline constexpr Rgb kSystemMenuDisc{0xB8, 0xC8, 0xE0};
inline constexpr Rgb kSystemMenuShade{0x70, 0x88, 0xB0};
inline constexpr Rgb kSystemMenuEdge{0xFF, 0xFF, 0xFF, 220};

// The controls.
inline constexpr Rgb kControlTop{0xFA, 0xFA, 0xFA};
inline constexpr Rgb kControlBottom{0xD6, 0xDA, 0xE0};
inline constexpr Rgb kControlBorder{0x7A, 0x86, 0x96};
inline constexpr Rgb kDisabledBorder{0xAB, 0xBC, 0xD2};  // the control border, 40 % lighter
inline constexpr Rgb kHoverBorder{0x3C, 0x6C, 0xB0};
inline constexpr Rgb kPressedTop{0xC4, 0xCC, 0xD8};
inline constexpr Rgb kPressedBottom{0xE6, 0xEA, 0xF0};
inline constexpr Rgb kDisabledText{0x9A, 0x9A, 0x9A};
inline constexpr Rgb kFocusColor{0x3C, 0x6C, 0xB0};
inline constexpr Rgb kToolTip{0xFF, 0xFF, 0xE1};

// The page control: the pages' ground (the frame colour, 4 % lighter), the shown tab's top
// and the bottom of a tab that is not shown (the controls' bottom, 4 % darker). A toolkit that
// shades at more than 8 bits a channel may shade the two itself by these percentages, as long
// as the result rounds to the colours here.
inline constexpr Rgb kPageColor{0xF1, 0xF1, 0xF1};
inline constexpr int kPageLighter = 104;
inline constexpr Rgb kActiveTabTop = kWhite;
inline constexpr Rgb kTabBottom{0xCE, 0xD2, 0xD7};
inline constexpr int kTabDarker = 104;

// Texts in colour: section titles and step titles, value labels and links, the "QUILL-RATE"
// button and a link under the mouse.
inline constexpr Rgb kNavy{0x00, 0x00, 0x80};
inline constexpr Rgb kBlue{0x00, 0x00, 0xFF};
inline constexpr Rgb kRed{0xFF, 0x00, 0x00};

// The message box's icons: error, warning and information.
inline constexpr Rgb kErrorIcon{0xC8, 0x2A, 0x22};
inline constexpr Rgb kWarningIcon{0xE0, 0xA8, 0x20};
inline constexpr Rgb kInformationIcon{0x2C, 0x6C, 0xB0};

// `over` laid on `under` with `over`'s alpha: the colour a view without transparency paints.
constexpr Rgb Blend(Rgb over, Rgb under) {
  const auto channel = [&](uint8_t o, uint8_t u) {
    return static_cast<uint8_t>((o * over.alpha + u * (0xFF - over.alpha) + 0x7F) / 0xFF);
  };
  return {channel(over.red, under.red), channel(over.green, under.green),
          channel(over.blue, under.blue)};
}

}  // namespace app::look
