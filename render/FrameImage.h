#pragma once

#include "SpriteSurface.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <span>

// The game screen's persistent picture, in logical pixels. Every copy onto it combines the
// source with what lies beneath by a bitwise AND of the colour values (the SRCAND raster
// operation): white sprite pixels are transparent and black ones draw black. Colours are
// 0x00RRGGBB; the stored pixels stay opaque.
//
// Drawing writes the pixels directly, and the image remembers where it has drawn: clearing
// restores only those places, and the part to repaint is known without comparing pixels.
class FrameImage {
public:
    // A new image of `size`, all `background`.
    void Reset(QSize size, quint32 background);

    // Fills the image with the background again (the form's Cls).
    void Cls();
    // One pixel ANDed with `colour`; nothing outside the image.
    void AndPixel(int x, int y, quint32 colour);
    // Every pixel of the w x h rectangle at (x, y) ANDed with `colour`, clipped to the image:
    // a border line in one call.
    void AndFill(int x, int y, int w, int h, quint32 colour);
    // Pixel (x, top + i) ANDed with `colour` for every i where rows[i] is true, clipped to the
    // image: a wall with its broken rows in one call.
    void AndColumn(int x, int top, std::span<const bool> rows, quint32 colour);
    // The w x h region of `source` from its top-left corner, ANDed onto (x, y) and clipped to
    // the image.
    void AndCopy(int x, int y, int w, int h, const SpriteSurface& source);

    // The places of the image that changed since the last call: what must be repainted for the
    // screen to equal the whole image again. Empty when nothing changed. Kept apart rather than
    // joined, because a frame's pieces are thin lines and small sprites far from one another,
    // and their bounding rectangle would be the whole arena. Valid until the next drawing call.
    std::span<const QRect> TakeChanged();

    const QImage& Image() const { return m_image; }
    quint32 Background() const { return m_background; }

private:
    QRect Clip(int x, int y, qint64 w, qint64 h) const;
    quint32* Pixels();
    void Touch(const QRect& area);

    // A frame draws about a dozen separate pieces; when more places are drawn on between two
    // clears, the last one grows to cover the rest.
    static constexpr int DrawnSlots = 32;

    template <std::size_t N> struct Places {
        std::array<QRect, N> Rects;
        int Count = 0;
        void Add(const QRect& area);
    };

    QImage m_image;
    qsizetype m_stride = 0; // pixels from one row to the next
    quint32 m_background = 0;
    // Places drawn on since the last clear; together they cover every pixel that may differ
    // from the background.
    Places<DrawnSlots> m_drawn;
    // Places drawn or cleared since the last TakeChanged: each frame clears the last one's.
    Places<2 * DrawnSlots> m_changed;
};
