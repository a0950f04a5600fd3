#include "SpriteSurface.h"

SpriteSurface::SpriteSurface(const QImage& picture)
    : Picture(picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32))
{
}

quint32 SpriteSurface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Picture.width() || y >= Picture.height())
        return 0;
    return reinterpret_cast<const quint32*>(Picture.constScanLine(y))[x] & 0xFFFFFFu;
}
