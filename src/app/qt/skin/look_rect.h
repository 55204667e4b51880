// A rectangle of the look (left, top, width, height) as Qt's.
#pragma once

#include <QRect>

#include "app/model/main_window_places.h"

namespace skin {

inline QRect ToQRect(const app::model::LayoutRect& r) {
  return {r.left, r.top, r.width, r.height};
}

}  // namespace skin
