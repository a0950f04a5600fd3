#include "FrameImage.h"

#include <algorithm>
#include <utility>

namespace {

// Stored pixels keep their alpha byte at 0xFF so that the picture is painted opaque; every
// AND mask carries it along unchanged.
constexpr quint32 Opaque = 0xFF000000u;
constexpr quint32 ColourBits = 0x00FFFFFFu;

qint64 Area(const QRect& r) { return qint64(r.width()) * r.height(); }

} // namespace

void FrameImage::Reset(QSize size, quint32 background)
{
    m_image = QImage(size, QImage::Format_RGB32);
    m_background = background & ColourBits;
    m_image.fill(m_background | Opaque);
    m_stride = m_image.bytesPerLine() / qsizetype(sizeof(quint32));
    m_drawn.Count = 0;
    m_changed.Count = 0;
    m_changed.Add(m_image.rect());
}

void FrameImage::Cls()
{
    if (m_drawn.Count == 0)
        return;
    const quint32 fill = m_background | Opaque;
    quint32* const pixels = Pixels();
    for (int i = 0; i < m_drawn.Count; ++i) {
        const QRect& area = m_drawn.Rects[i];
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(pixels + y * m_stride + area.left(), area.width(), fill);
        m_changed.Add(area);
    }
    m_drawn.Count = 0;
}

void FrameImage::AndPixel(int x, int y, quint32 colour)
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return;
    Pixels()[y * m_stride + x] &= colour | Opaque;
    Touch(QRect(x, y, 1, 1));
}

void FrameImage::AndFill(int x, int y, int w, int h, quint32 colour)
{
    const QRect area = Clip(x, y, w, h);
    if (area.isEmpty())
        return;
    const quint32 mask = colour | Opaque;
    quint32* const pixels = Pixels();
    for (int row = area.top(); row <= area.bottom(); ++row) {
        quint32* pixel = pixels + row * m_stride + area.left();
        for (int i = 0; i < area.width(); ++i)
            pixel[i] &= mask;
    }
    Touch(area);
}

void FrameImage::AndColumn(int x, int top, std::span<const bool> rows, quint32 colour)
{
    const QRect area = Clip(x, top, 1, qint64(rows.size()));
    if (area.isEmpty())
        return;
    const quint32 mask = colour | Opaque;
    quint32* pixel = Pixels() + area.top() * m_stride + x;
    const bool* stands = rows.data() + (area.top() - qint64(top));
    int first = -1, last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y, ++stands, pixel += m_stride) {
        if (*stands) {
            *pixel &= mask;
            if (first < 0)
                first = y;
            last = y;
        }
    }
    if (first >= 0)
        Touch(QRect(x, first, 1, last - first + 1));
}

void FrameImage::AndCopy(int x, int y, int w, int h, const SpriteSurface& source)
{
    const QRect area = Clip(x, y, w, h);
    if (area.isEmpty())
        return;
    const QImage& sprite = source.m_image; // null reads as black throughout
    const qint64 spriteLeft = area.left() - qint64(x);
    const qint64 spriteTop = area.top() - qint64(y);
    // The part of the area that the picture covers; beyond it, right and below, reads black.
    const int coveredColumns = int(std::clamp<qint64>(sprite.width() - spriteLeft, 0, area.width()));
    const int coveredRows = int(std::clamp<qint64>(sprite.height() - spriteTop, 0, area.height()));
    const qsizetype spriteStride = sprite.bytesPerLine() / qsizetype(sizeof(quint32));
    const auto* spritePixels = reinterpret_cast<const quint32*>(sprite.constBits());
    quint32* const pixels = Pixels();
    for (int row = 0; row < area.height(); ++row) {
        quint32* pixel = pixels + (area.top() + row) * m_stride + area.left();
        int i = 0;
        if (row < coveredRows && coveredColumns > 0) {
            const quint32* ink = spritePixels + (spriteTop + row) * spriteStride + spriteLeft;
            for (; i < coveredColumns; ++i)
                pixel[i] &= ink[i] | Opaque;
        }
        for (; i < area.width(); ++i)
            pixel[i] &= Opaque;
    }
    Touch(area);
}

std::span<const QRect> FrameImage::TakeChanged()
{
    const std::span<const QRect> changed(m_changed.Rects.data(), std::size_t(m_changed.Count));
    m_changed.Count = 0;
    return changed;
}

// The part of a rectangle that lies on the image. Positions come from 16-bit game values but
// sizes and sums are taken in 64 bits, so no position can overflow the arithmetic.
QRect FrameImage::Clip(int x, int y, qint64 w, qint64 h) const
{
    const qint64 left = std::max<qint64>(x, 0);
    const qint64 top = std::max<qint64>(y, 0);
    const qint64 right = std::min<qint64>(x + w, m_image.width());
    const qint64 bottom = std::min<qint64>(y + h, m_image.height());
    if (left >= right || top >= bottom)
        return {};
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

// Taken afresh for every drawing call: bits() makes the picture our own again if a caller kept
// a copy of Image(), so that copy never changes under its holder.
quint32* FrameImage::Pixels() { return reinterpret_cast<quint32*>(m_image.bits()); }

void FrameImage::Touch(const QRect& area)
{
    m_changed.Add(area);
    m_drawn.Add(area);
}

template <std::size_t N> void FrameImage::Places<N>::Add(const QRect& area)
{
    if (Count > 0) {
        QRect& last = Rects[std::size_t(Count - 1)];
        const QRect merged = last | area;
        // Growing the last place costs nothing when the two together fill the merged one
        // (a line drawn pixel by pixel), and is the fallback once every slot is taken.
        if (Area(merged) <= Area(last) + Area(area) || Count == int(N)) {
            last = merged;
            return;
        }
    }
    Rects[std::size_t(Count++)] = area;
}
