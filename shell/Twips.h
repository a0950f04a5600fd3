#pragma once

#include <cmath>
#include <QRect>

// Layouts are given in twips, 15 to a pixel on the screens the game was designed on.
constexpr int TwipsPerPixel = 15;

inline int Px(int twips) { return static_cast<int>(std::lround(twips / double(TwipsPerPixel))); }

inline QRect TwipRect(int left, int top, int width, int height)
{
    return {Px(left), Px(top), Px(width), Px(height)};
}
