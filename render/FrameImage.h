#pragma once

#include "SpriteSurface.h"

#include <QImage>
#include <QRect>
#include <QSize>

// The game screen's persistent picture, in logical pixels. Every copy onto it combines the
// source with what lies beneath by a bitwise AND of the colour values (the SRCAND raster
// operation): white sprite pixels are transparent and black ones draw black.
class FrameImage {
public:
    // A new image of `size`, all `background`.
    void Reset(QSize size, quint32 background);

    // Fills the image with the background again (the form's Cls).
    void Cls();
    // One pixel ANDed with `colour`; nothing outside the image.
    void AndPixel(int x, int y, quint32 colour);
    // The w x h region of `source` from its top-left corner, ANDed onto (x, y) and clipped to
    // the image.
    void AndCopy(int x, int y, int w, int h, const SpriteSurface& source);

    // The part of the image that changed since the last call: what must be repainted for the
    // screen to equal the whole image again.
    QRect TakeChanged();

    const QImage& Image() const { return Picture; }
    quint32 Background() const { return BackgroundColour; }

private:
    QImage Picture;
    quint32 BackgroundColour = 0;
};
