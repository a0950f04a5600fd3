#include "FrameImage.h"

#include <algorithm>
#include <cstring>

namespace {

// Stored pixels keep their alpha byte at 0xFF so that the picture is painted opaque; every
// AND mask carries it along unchanged.
constexpr quint32 Opaque = 0xFF000000u;
constexpr quint32 ColourBits = 0x00FFFFFFu;

} // namespace

void FrameImage::Reset(QSize size, quint32 background)
{
    m_image = QImage(size, QImage::Format_RGB32);
    m_background = background & ColourBits;
    m_image.fill(m_background | Opaque);
    m_stride = m_image.bytesPerLine() / qsizetype(sizeof(quint32));
    m_drawn.Count = m_drawn.RowsUsed = 0;
    m_wholeImageChanged = true;
}

void FrameImage::Cls()
{
    if (m_drawn.Count == 0) // no piece, so no column rows either; and the picture stays shared
        return;
    const quint32 fill = m_background | Opaque;
    quint32* const pixels = Pixels();
    for (int i = 0; i < m_drawn.Count; ++i) {
        const QRect& area = m_drawn.Pieces[std::size_t(i)].Area;
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(pixels + y * m_stride + area.left(), area.width(), fill);
    }
    m_drawn.Count = m_drawn.RowsUsed = 0;
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
    m_drawn.Add({.What = Kind::Fill, .Area = area, .Mask = mask});
}

void FrameImage::AndColumn(int x, int top, std::span<const bool> rows, quint32 colour)
{
    const QRect area = Clip(x, top, 1, qint64(rows.size()));
    if (area.isEmpty())
        return;
    const quint32 mask = colour | Opaque;
    quint32* pixel = Pixels() + area.top() * m_stride + x;
    const bool* const clipped = rows.data() + (area.top() - qint64(top));
    int first = -1, last = -1;
    for (int i = 0; i < area.height(); ++i, pixel += m_stride) {
        if (clipped[i]) {
            *pixel &= mask;
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return;
    const int count = last - first + 1;
    Piece piece{.What = Kind::Blot, .Area = QRect(x, area.top() + first, 1, count)};
    if (m_drawn.RowsUsed + count <= RowsKept) {
        std::copy_n(clipped + first, count, m_drawn.Rows.begin() + m_drawn.RowsUsed);
        piece.What = Kind::Column;
        piece.Mask = mask;
        piece.RowsAt = m_drawn.RowsUsed;
        m_drawn.RowsUsed += count;
    }
    m_drawn.Add(piece);
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
    // The cache key names the picture's pixels: it changes whenever they may have.
    m_drawn.Add({.What = Kind::Copy, .Area = area, .Source = sprite.cacheKey(), .Origin = QPoint(x, y)});
}

std::span<const QRect> FrameImage::TakeChanged()
{
    int count = 0;
    if (m_wholeImageChanged) {
        m_changed[std::size_t(count++)] = m_image.rect();
    } else {
        for (int i = 0; i < m_shown.Count; ++i)
            if (const Piece& gone = m_shown.Pieces[std::size_t(i)]; !m_drawn.Holds(gone, m_shown))
                m_changed[std::size_t(count++)] = gone.Area;
        for (int i = 0; i < m_drawn.Count; ++i)
            if (const Piece& come = m_drawn.Pieces[std::size_t(i)]; !m_shown.Holds(come, m_drawn))
                m_changed[std::size_t(count++)] = come.Area;
    }
    m_wholeImageChanged = false;
    m_shown.CopyFrom(m_drawn);
    return {m_changed.data(), std::size_t(count)};
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

void FrameImage::Frame::Add(const Piece& piece)
{
    if (Count == PieceSlots) {
        Piece& last = Pieces[std::size_t(Count - 1)];
        last = {.What = Kind::Blot, .Area = last.Area | piece.Area};
        return;
    }
    Pieces[std::size_t(Count++)] = piece;
}

// Whether this frame has a piece equal to `piece`, whose rows, for a column, are in
// `pieceFrame`.
bool FrameImage::Frame::Holds(const Piece& piece, const Frame& pieceFrame) const
{
    for (int i = 0; i < Count; ++i) {
        const Piece& mine = Pieces[std::size_t(i)];
        if (mine.What != piece.What || mine.Area != piece.Area)
            continue;
        switch (piece.What) {
        case Kind::Fill:
            if (mine.Mask == piece.Mask)
                return true;
            break;
        case Kind::Column:
            if (mine.Mask == piece.Mask
                && std::equal(Rows.begin() + mine.RowsAt, Rows.begin() + mine.RowsAt + mine.Area.height(),
                              pieceFrame.Rows.begin() + piece.RowsAt))
                return true;
            break;
        case Kind::Copy:
            if (mine.Source == piece.Source && mine.Origin == piece.Origin)
                return true;
            break;
        case Kind::Blot: // its pixels are not known: it equals nothing
            break;
        }
    }
    return false;
}

void FrameImage::Frame::CopyFrom(const Frame& other)
{
    std::copy_n(other.Pieces.begin(), other.Count, Pieces.begin());
    std::copy_n(other.Rows.begin(), other.RowsUsed, Rows.begin());
    Count = other.Count;
    RowsUsed = other.RowsUsed;
}
