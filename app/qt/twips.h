#pragma once

#include <QRect>

namespace brelvik {

// The layout is given in twips; at 96 dpi fifteen make one pixel, and Qt's device-independent
// pixels keep the proportions on other screens.
constexpr int Px(int twips) {
    return twips / 15;
}

inline QRect Twips_rect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

}  // namespace brelvik
