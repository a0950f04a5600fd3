// Catches sprite files that crash the loader or the frame, read outside a picture, or make the
// frame draw where it must not: any bytes as the four files, then an activation and a hundred
// drawn ticks through the game screen's own drawing.
//
// Input: the first byte says which files are left out (bits 0..3: paddle, ball, bullet, wall);
// the rest is split into the four files' contents with libFuzzer's FuzzedDataProvider.
#include "ArenaCanvas.h"
#include "NullHost.h"

#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

namespace {

constexpr int Ticks = 100;
// Every so many ticks the pointer moves and the player fires, so bullets are drawn too.
constexpr int TicksPerShot = 7;
constexpr int PointerStep = 37;
// The game screen covers a 1024 x 768 screen, larger than the arena.
constexpr QSize ScreenSize(1024, 768);
constexpr quint32 ButtonFace = 0xEFEFEF;
constexpr quint32 ColourBits = 0xFFFFFF; // QImage::pixel gives the alpha byte too
// Two pixels that only the borders cover, whatever the ball, paddles and bullets do, and one
// beyond the arena that nothing ever draws on.
constexpr QPoint BottomBorderOnly(400, 600);
constexpr QPoint CornerOnly(800, 600);
constexpr QPoint Blank(1000, 700);

constexpr std::array<std::string_view, 4> Files = {"/PADDLE.bmp", "/BALL.bmp", "/BULLET.bmp", "/WALL.bmp"};

std::unique_ptr<QTemporaryDir> Folder;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

QString PathOf(std::string_view file)
{
    return Folder->path() + QString::fromUtf8(file.data(), qsizetype(file.size()));
}

// The game screen's drawing, with its sprites loaded from the folder the input was written to.
class CanvasHost final : public NullHost {
public:
    explicit CanvasHost(unsigned seed) : m_random(seed) { m_canvas.Resize(ScreenSize, ButtonFace); }

    double Rnd() override { return std::uniform_real_distribution<double>(0, 1)(m_random); }
    SpriteHandle LoadSpriteDC(std::string_view fileName) override
    {
        return m_canvas.LoadSprite(PathOf(fileName));
    }
    void DrawFrame(const GameState& s) override { m_canvas.DrawFrame(s); }
    void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) override { m_canvas.DrawBullet(bullet, x, y); }
    void ShowFrame() override
    {
        m_canvas.Frame().TakeChanged();
        const QImage& image = m_canvas.Frame().Image();
        if (image.pixel(BottomBorderOnly) != image.pixel(CornerOnly))
            Fail("two pixels of the borders differ");
        if ((image.pixel(Blank) & ColourBits) != ButtonFace)
            Fail("something was drawn beyond the arena");
    }

private:
    std::minstd_rand m_random;
    ArenaCanvas m_canvas;
};

void Write(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        Fail("cannot write a sprite file");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Folder = std::make_unique<QTemporaryDir>();
    if (!Folder->isValid())
        Fail("no temporary folder for the sprite files");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto leftOut = input.ConsumeIntegral<std::uint8_t>();
    for (std::size_t i = 0; i < Files.size(); ++i) {
        const bool last = i + 1 == Files.size();
        const std::string bytes =
            last ? input.ConsumeRemainingBytesAsString() : input.ConsumeRandomLengthString();
        if (leftOut & (1u << i))
            QFile::remove(PathOf(Files[i]));
        else
            Write(PathOf(Files[i]), bytes);
    }

    CanvasHost host(leftOut); // which files are missing also picks the serves
    Rules game(host);
    game.Activate();
    for (int tick = 1; tick <= Ticks; ++tick) {
        if (tick % TicksPerShot == 0) {
            game.MouseMove(tick * PointerStep % ArenaHeight);
            game.Click();
        }
        game.Tick();
    }
    return 0;
}
