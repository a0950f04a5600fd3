#pragma once

#include <QImage>

// An off-screen picture that sprites are copied from. The program owns it: a new activation
// replaces the surfaces, and the replaced ones are released with it.
//
// A surface without a picture (its file missing or unreadable), and every pixel beyond a
// picture that is smaller than the region asked for, reads as black. The game then stays
// playable with solid shapes, and no copy ever reads outside a picture.
class SpriteSurface {
public:
    SpriteSurface() = default;
    explicit SpriteSurface(const QImage& picture);

    // The colour value at (x, y) as 0x00RRGGBB; black outside the picture.
    quint32 Pixel(int x, int y) const;

private:
    friend class FrameImage; // copies read the pixels row by row
    QImage m_image;          // Format_RGB32, or null
};
