#include "clsFunctions.h"

#include <QFile>
#include <QImageReader>

namespace {

// Sprites are a few dozen pixels wide. A file that claims a picture needing more memory than
// this is refused before anything is allocated for it, so no sprite file can exhaust memory.
constexpr int LargestPictureMegabytes = 64;

// Qt's BMP decoder accepts a file that ends before its last pixel row and leaves the missing
// rows as whatever the memory held. Reading through this device notes any read that the file
// could not fill, so that such a file counts as unreadable instead of showing noise.
class ShortReadWatch final : public QIODevice {
public:
    explicit ShortReadWatch(QIODevice& file) : m_file(file) { open(ReadOnly | Unbuffered); }

    bool RanShort() const { return m_short; }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 got = m_file.read(data, maxSize);
        m_short = m_short || got < maxSize;
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& m_file;
    bool m_short = false;
};

} // namespace

namespace clsFunctions {

SpriteSurface LoadSpriteDC(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    ShortReadWatch watched(file);
    QImageReader reader(&watched, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(LargestPictureMegabytes);
    QImage picture;
    if (!reader.read(&picture) || watched.RanShort())
        return {};
    return SpriteSurface(picture);
}

} // namespace clsFunctions
