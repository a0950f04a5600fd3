#pragma once

#include <QRect>
#include <QSize>

// How the arena's pixels meet a screen's. Where the arena fits the screen in logical pixels, it
// is drawn 1:1 in them, as on any ordinary screen. Where it does not (a laptop panel at 150 or
// 200 %), it is drawn in whole device pixels, as many to an arena pixel as fit, crisp; and on a
// screen with fewer device pixels than the arena, shrunk to fit, nearest pixel. Either way at
// the top-left, the rest of the window showing the frame's background. The rules never see it:
// the game screen maps its drawing out and the pointer back.
class ArenaScale {
public:
    // For a window of `logical` size on a screen of `devicePixelRatio`.
    ArenaScale(QSize logical = {}, qreal devicePixelRatio = 1);

    // Drawn 1:1 in logical pixels.
    bool Unscaled() const { return m_unscaled; }
    qreal DevicePixelsPerArenaPixel() const { return m_devicePerArena; }
    // The window's logical pixels to an arena pixel: the painter's scale.
    qreal WindowPerArena() const { return m_devicePerArena / m_devicePixelRatio; }
    // The frame image that covers the window, in arena pixels.
    QSize ImageSize() const { return m_imageSize; }

    // The window's logical pixels that show `arena`, and the arena pixels that a window area
    // shows, each rounded outwards.
    QRect ToWindow(const QRect& arena) const;
    QRect ToArena(const QRect& window) const;
    // The arena row under a pointer at `y` in the window's logical pixels.
    // Unscaled it is `y` itself, to the last bit: the rules round halves to even.
    double ArenaY(double y) const { return m_unscaled ? y : y * m_devicePixelRatio / m_devicePerArena; }

    bool operator==(const ArenaScale&) const = default;

private:
    bool m_unscaled = true;
    qreal m_devicePixelRatio;
    qreal m_devicePerArena;
    QSize m_imageSize;
};
