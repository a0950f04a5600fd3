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
// Drawing writes the pixels directly, and the image remembers each drawing call as a piece:
// where it drew and what. Clearing restores only those places; and since a pixel is the
// background ANDed with every piece over it, in any order, a pixel can differ from the last
// frame shown only under a piece that the other frame lacks. Comparing the two frames' pieces
// tells what to repaint without comparing pixels: a paddle that stood still, the borders and
// a wall that lost no row are not repainted.
class FrameImage {
public:
    // A new image of `size`, all `background`.
    void Reset(QSize size, quint32 background);

    // Fills the image with the background again (the form's Cls).
    void Cls();
    // Every pixel of the w x h rectangle at (x, y) ANDed with `colour`, clipped to the image:
    // a border line in one call.
    void AndFill(int x, int y, int w, int h, quint32 colour);
    // Pixel (x, top + i) ANDed with `colour` for every i where rows[i] is true, clipped to the
    // image: a wall with its broken rows in one call.
    void AndColumn(int x, int top, std::span<const bool> rows, quint32 colour);
    // The w x h region of `source` from its top-left corner, ANDed onto (x, y) and clipped to
    // the image.
    void AndCopy(int x, int y, int w, int h, const SpriteSurface& source);

    // The places where the image may differ from what it was at the last call (after Reset,
    // the whole image): what must be repainted for the screen to equal the image again. Never
    // less than what differs; empty when every piece is as it was. Kept apart rather than
    // joined, because a frame's pieces are thin lines and small sprites far from one another,
    // and their bounding rectangle would be the whole arena. Valid until the next drawing call.
    std::span<const QRect> TakeChanged();

    const QImage& Image() const { return m_image; }

private:
    // A frame draws about a dozen pieces; when more are drawn between two clears, the last
    // one grows into a blot that covers the rest.
    static constexpr int PieceSlots = 32;
    // The standing rows of the columns drawn between two clears: both walls of a frame with
    // room to spare. A column beyond it is kept as a blot.
    static constexpr int RowsKept = 4096;

    enum class Kind { Fill, Column, Copy, Blot };

    // One drawing call: the pixels it changed, and what it ANDed there. Two pieces that
    // compare equal left the same pixels. A blot records only its place and equals nothing.
    struct Piece {
        Kind What = Kind::Blot;
        QRect Area = {};
        quint32 Mask = 0;   // a fill's or a column's colour, with the alpha bits
        qint64 Source = 0;  // a copy's sprite picture, by its cache key
        QPoint Origin = {}; // where a copy put the sprite's top-left corner
        int RowsAt = 0;     // a column's rows (Area.height() of them) in its frame's store
    };

    struct Frame {
        std::array<Piece, PieceSlots> Pieces;
        int Count = 0;
        std::array<bool, RowsKept> Rows;
        int RowsUsed = 0;

        void Add(const Piece& piece);
        bool Holds(const Piece& piece, const Frame& pieceFrame) const;
        void CopyFrom(const Frame& other);
    };

    QRect Clip(int x, int y, qint64 w, qint64 h) const;
    quint32* Pixels();

    QImage m_image;
    qsizetype m_stride = 0; // pixels from one row to the next
    quint32 m_background = 0;
    // The pieces drawn since the last clear: together they cover every pixel that may
    // differ from the background.
    Frame m_drawn;
    // The pieces as they were at the last TakeChanged, on the screen since.
    Frame m_shown;
    bool m_wholeImageChanged = false; // since Reset
    std::array<QRect, 2 * PieceSlots> m_changed;
};
