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

namespace {

// `rect` times `scale`, rounded outwards.
QRect Scaled(const QRect& rect, qreal scale)
{
    return QRectF(rect.x() * scale, rect.y() * scale, rect.width() * scale, rect.height() * scale)
        .toAlignedRect();
}

} // namespace

QRect ArenaScale::ToWindow(const QRect& arena) const
{
    return Unscaled() ? arena : Scaled(arena, WindowPerArena());
}

QRect ArenaScale::ToArena(const QRect& window) const
{
    if (Unscaled())
        return window;
    return Scaled(window, m_devicePixelRatio / m_devicePerArena).intersected(QRect(QPoint(), m_imageSize));
}
