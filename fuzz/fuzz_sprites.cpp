// Any bytes as the four sprite files: they load without a crash, and a game activated with
// them plays a hundred ticks into a frame whose borders and blank parts stay as they should.
//
// Input: the last byte says which files are left out (bits 0..3: paddle, ball, bullet, wall);
// the rest is split into the four files' contents with libFuzzer's FuzzedDataProvider, a
// backslash followed by any other byte ending each of the first three.
#include "Arena.h"
#include "Game.h"
#include "clsFunctions.h"

#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Ticks = 100;
// Every so many ticks the pointer moves and the player fires, so bullets are drawn too.
constexpr int TicksPerShot = 7;
constexpr int PointerStep = 37;
constexpr int ArenaRows = 600;
// The game screen covers a 1024 x 768 screen, larger than the arena.
constexpr QSize ScreenSize(1024, 768);
constexpr quint32 ButtonFace = 0xEFEFEF;
constexpr quint32 ColourBits = 0xFFFFFF; // QImage::pixel gives the alpha byte too
// A pixel that lies on the bottom border alone, away from both paddles and the ball's path,
// and one beyond the arena that nothing ever draws on.
constexpr QPoint OnBorderOnly(400, 600);
constexpr QPoint Blank(1000, 700);

constexpr std::array<std::string_view, 4> Files = {"/PADDLE.bmp", "/BALL.bmp", "/BULLET.bmp", "/WALL.bmp"};

std::unique_ptr<QTemporaryDir> Folder;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

QString PathOf(std::string_view file) { return Folder->path() + QString::fromUtf8(file.data(), qsizetype(file.size())); }

// The game screen's part, with its sprites loaded from the folder the input was written to.
class FrameHost final : public GameHost {
public:
    explicit FrameHost(unsigned seed) : Random(seed) { Frame.Reset(ScreenSize, ButtonFace); }

    void MsgBox(std::string_view, MsgStyle, std::string_view) override {}
    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view, int, int) override
    {
        return std::nullopt;
    }
    void SetTimerEnabled(bool) override {}
    void SetTimerInterval(int) override {}
    void Randomize() override {} // the serves follow the input, not the clock
    double Rnd() override { return std::uniform_real_distribution<double>(0, 1)(Random); }

    SpriteHandle LoadSpriteDC(std::string_view fileName) override
    {
        if (std::find(Files.begin(), Files.end(), fileName) == Files.end())
            Fail("the rules asked for a sprite file that the input was not written to");
        Sprites.push_back(clsFunctions::LoadSpriteDC(PathOf(fileName)));
        return static_cast<SpriteHandle>(Sprites.size());
    }
    void DrawFrame(const GameState& s) override
    {
        DrawArena(Frame, {Sprite(s.PaddleDC), Sprite(s.BallDC), Sprite(s.WallDC)},
                  {s.BallX, s.BallY, s.EnemyY, s.PlayerY, s.PlayerWall, s.EnemyWall});
        Wall = Sprite(s.WallDC).Pixel(0, 0);
    }
    void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) override { ::DrawBullet(Frame, Sprite(bullet), x, y); }
    void ShowFrame() override
    {
        Frame.TakeChanged();
        const QImage& image = Frame.Image();
        if ((image.pixel(OnBorderOnly) & ColourBits) != (ButtonFace & Wall))
            Fail("the bottom border is not the wall colour ANDed with the background");
        if ((image.pixel(Blank) & ColourBits) != ButtonFace)
            Fail("something was drawn beyond the arena");
    }
    void ShowMenu() override {}
    void HideGame() override {}
    void UnloadGame() override {}

private:
    const SpriteSurface& Sprite(SpriteHandle handle) const
    {
        if (handle < 1 || handle > Sprites.size())
            Fail("the rules drew with a handle that no load gave");
        return Sprites[handle - 1];
    }

    std::minstd_rand Random;
    std::vector<SpriteSurface> Sprites;
    FrameImage Frame;
    quint32 Wall = 0;
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
        const std::string bytes = last ? input.ConsumeRemainingBytesAsString() : input.ConsumeRandomLengthString();
        if (leftOut & (1u << i))
            QFile::remove(PathOf(Files[i]));
        else
            Write(PathOf(Files[i]), bytes);
    }

    FrameHost host(leftOut); // which files are missing also picks the serves
    Game game(host);
    game.Activate();
    for (int tick = 1; tick <= Ticks; ++tick) {
        if (tick % TicksPerShot == 0) {
            game.MouseMove(tick * PointerStep % ArenaRows);
            game.Click();
        }
        game.Tick();
    }
    return 0;
}
