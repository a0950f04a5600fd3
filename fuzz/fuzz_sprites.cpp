// Catches sprite files that crash the loader or the frame, or make it read or write outside a picture.
#include "ArenaCanvas.h"
#include "NullHost.h"

#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QTemporaryDir Folder;

// The game screen's drawing on a screen larger than the arena, its sprites from the input's files.
class CanvasHost final : public NullHost {
public:
    CanvasHost() { m_canvas.Resize({1024, 768}, 0xEFEFEF); }
    SpriteHandle LoadSpriteDC(std::string_view file) override
    {
        return m_canvas.LoadSprite(Folder.path() + QString::fromLatin1(file.data(), qsizetype(file.size())));
    }
    void DrawFrame(const GameState& s) override { m_canvas.DrawFrame(s); }
    void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) override { m_canvas.DrawBullet(bullet, x, y); }

private:
    ArenaCanvas m_canvas;
};

} // namespace

// The last byte leaves out a file for each of its bits 0..3; the rest is split into the four files.
// Then an activation and a hundred ticks, the pointer moving and the player firing every seventh.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto leftOut = input.ConsumeIntegral<std::uint8_t>();
    int i = 0;
    for (const char* name : {"/PADDLE.bmp", "/BALL.bmp", "/BULLET.bmp", "/WALL.bmp"}) {
        const std::string bytes =
            i < 3 ? input.ConsumeRandomLengthString() : input.ConsumeRemainingBytesAsString();
        QFile file(Folder.path() + name);
        if (leftOut & (1u << i++))
            file.remove();
        else if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) < 0)
            std::abort();
    }
    CanvasHost host;
    Rules game(host);
    game.Activate();
    for (int tick = 1; tick <= 100; ++tick) {
        if (tick % 7 == 0)
            game.MouseMove(tick * 37 % ArenaHeight), game.Click();
        game.Tick();
    }
    return 0;
}
