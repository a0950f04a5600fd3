#include "SpriteSurface.h"

SpriteSurface::SpriteSurface(const QImage& picture)
    : m_image(picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32))
{
}

quint32 SpriteSurface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return 0;
    return reinterpret_cast<const quint32*>(m_image.constScanLine(y))[x] & 0xFFFFFFu;
}
