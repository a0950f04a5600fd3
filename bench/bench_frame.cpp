// The frame: clearing and drawing a whole arena (borders, walls with gaps, ball, paddles, six
// bullets) into the game's image at 1920 x 1080, beside the least work any frame needs, one
// plain fill of the arena's 801 x 601 pixels.
#include "AllocationCounter.h"
#include "Arena.h"
#include "clsFunctions.h"
#include "FrameImage.h"

#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include <array>
#include <cstring>

namespace {

constexpr quint32 ButtonFace = 0xEFEFEF;

SpriteSurface Sprite(const char* file)
{
    return clsFunctions::LoadSpriteDC(QString::fromUtf8(VANTREL_ASSETS_DIR "/") + QString::fromUtf8(file));
}

struct Scene {
    SpriteSurface Paddle = Sprite("PADDLE.bmp");
    SpriteSurface Ball = Sprite("BALL.bmp");
    SpriteSurface Bullet = Sprite("BULLET.bmp");
    SpriteSurface Wall = Sprite("WALL.bmp");
    std::array<bool, Arena::WallRows> PlayerWall{};
    std::array<bool, Arena::WallRows> EnemyWall{};

    Scene()
    {
        // Walls with gaps, as in the middle of a rally.
        for (int row = 0; row < Arena::WallRows; ++row) {
            PlayerWall[row] = (row / 26) % 3 != 1;
            EnemyWall[row] = (row / 26) % 4 != 2;
        }
    }

    void Draw(FrameImage& frame, int tick) const
    {
        const int shift = tick % 40;
        DrawArena(frame, {Paddle, Ball, Wall}, {300 + shift, 290, 200 + shift, 300, PlayerWall, EnemyWall});
        for (int i = 0; i < 3; ++i) {
            DrawBullet(frame, Bullet, 35 + 15 * (i + shift), 100 + 150 * i);
            DrawBullet(frame, Bullet, 765 - 15 * (i + shift), 130 + 150 * i);
        }
    }
};

void WholeFrame1920x1080(benchmark::State& state)
{
    Scene scene;
    FrameImage frame;
    frame.Reset({1920, 1080}, ButtonFace);
    int tick = 0;
    const std::size_t before = Allocations();
    for (auto _ : state) {
        scene.Draw(frame, ++tick);
        benchmark::DoNotOptimize(frame.TakeChanged().size());
    }
    state.counters["allocations"] = static_cast<double>(Allocations() - before);
}
BENCHMARK(WholeFrame1920x1080)->MinTime(1.0);

// The floor: every pixel of the arena and its borders written once.
void ArenaFill801x601(benchmark::State& state)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        for (int y = 0; y <= Arena::Height; ++y) {
            auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
            std::fill(line, line + Arena::Width + 1, 0xFF000000u | ButtonFace);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ArenaFill801x601)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the image reader needs its plugins
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
