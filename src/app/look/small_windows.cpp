#include "app/look/small_windows.h"

#include <algorithm>

#include "app/look/frame.h"

namespace app::look {
namespace {

constexpr int kMessageMargin = 16;
constexpr int kMessageMinimumWidth = 200;

}  // namespace

int MessageTextLeft() {
  return kMessageMargin + kMessageIconSize + kMessageIconGap;
}

MessageLayout LayOutMessage(int textWidth, int textHeight) {
  const int top = kTitleBarHeight + kMessageMargin;
  const int textLeft = MessageTextLeft();
  const int contentHeight = std::max(kMessageIconSize, textHeight);
  const int width = std::max(textLeft + textWidth + 20, kMessageMinimumWidth);
  const int okTop = top + contentHeight + kMessageMargin;
  const int height = okTop + kMessageOk.at.height + 12;
  MessageLayout layout;
  layout.size = {width, height};
  layout.icon = {kMessageMargin, top, kMessageIconSize, kMessageIconSize};
  layout.text = {textLeft, top + std::max(0, (kMessageIconSize - textHeight) / 2), textWidth + 4,
                 textHeight};
  layout.ok = {(width - kMessageOk.at.width) / 2, okTop, kMessageOk.at.width, kMessageOk.at.height};
  return layout;
}

}  // namespace app::look
