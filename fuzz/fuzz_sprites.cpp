// Catches sprite files that crash the loader or the frame, or make it read or write outside a picture.
#include "ArenaCanvas.h"

#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QTemporaryDir Folder;

} // namespace

// The last byte leaves out a file for each of its bits 0..3; the rest is split into the four files. The
// game's drawing then puts every piece on, across and beyond the edges of a screen larger than the arena.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto leftOut = input.ConsumeIntegral<std::uint8_t>();
    ArenaCanvas canvas;
    canvas.Resize({1024, 768}, 0xEFEFEF);
    GameState s;
    int i = 0;
    for (SpriteHandle* handle : {&s.PaddleDC, &s.BallDC, &s.BulletDC, &s.WallDC}) {
        const std::string bytes =
            i < 3 ? input.ConsumeRandomLengthString() : input.ConsumeRemainingBytesAsString();
        QFile file(Folder.filePath(QString::number(i)));
        if (leftOut & (1u << i++))
            file.remove();
        else if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) < 0)
            std::abort();
        file.close();
        *handle = canvas.LoadSprite(file.fileName());
    }
    s.PlayerWall.fill(true), s.EnemyWall.fill(true);
    for (int at = -80; at < 1100; at += 37) {
        s.BallX = s.EnemyY = s.PlayerY = Wrap16(at), s.BallY = Wrap16(at * 3 % 800);
        canvas.DrawFrame(s);
        canvas.DrawBullet(s.BulletDC, Wrap16(at), Wrap16(at % 770));
    }
    return 0;
}
