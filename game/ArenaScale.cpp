#include "ArenaScale.h"

#include "Arena.h"

#include <algorithm>
#include <cmath>

namespace {

// What the player must see: the arena with its right border and the player's paddle across it,
// and its bottom border. The computer's paddle may hang below that border for a tick.
constexpr int SeenWidth = Arena::PlayerPaddleX + Arena::PaddleWidth;
constexpr int SeenHeight = Arena::Height + 1;

} // namespace

ArenaScale::ArenaScale(QSize logical, qreal devicePixelRatio) : m_devicePixelRatio(devicePixelRatio)
{
    // A window of no size, before it is placed, has nothing to scale.
    if ((logical.width() >= SeenWidth && logical.height() >= SeenHeight) || logical.isEmpty()) {
        m_devicePerArena = devicePixelRatio;
        m_imageSize = logical;
        return;
    }
    m_unscaled = false;
    const QSizeF device = QSizeF(logical) * devicePixelRatio;
    const qreal fits = std::min(device.width() / SeenWidth, device.height() / SeenHeight);
    m_devicePerArena = fits >= 1 ? std::floor(fits) : fits;
    m_imageSize = QSize(int(std::ceil(device.width() / m_devicePerArena)),
                        int(std::ceil(device.height() / m_devicePerArena)));
}

QRect ArenaScale::ToWindow(const QRect& arena) const
{
    if (Unscaled())
        return arena;
    const qreal scale = m_devicePerArena / m_devicePixelRatio;
    return QRectF(arena.x() * scale, arena.y() * scale, arena.width() * scale, arena.height() * scale)
        .toAlignedRect();
}

QRect ArenaScale::ToArena(const QRect& window) const
{
    if (Unscaled())
        return window;
    const qreal scale = m_devicePixelRatio / m_devicePerArena;
    return QRectF(window.x() * scale, window.y() * scale, window.width() * scale, window.height() * scale)
        .toAlignedRect()
        .intersected(QRect(QPoint(), m_imageSize));
}
