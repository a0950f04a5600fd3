// The rules' tick alone: all ten steps, with drawing calls that do nothing, over scripted
// rallies in which the player moves and fires, the computer fires, walls break and rallies
// end (their boxes answered at once).
#include "AllocationCounter.h"
#include "Rules.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// Every box is dismissed at once, the speed box cancelled, the random numbers seeded, and the
// drawing calls do nothing that the compiler could leave out.
class QuietHost final : public GameHost {
public:
    std::mt19937 Dice{7};
    long Rallies = 0;
    void MsgBox(std::string_view, MsgStyle, std::string_view title) override
    {
        Rallies += title == "I missed it...";
    }
    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view, int,
                                        int) override
    {
        return std::nullopt;
    }
    void SetTimerEnabled(bool) override {}
    void SetTimerInterval(int) override {}
    void Randomize() override {}
    double Rnd() override { return (Dice() >> 8) * 0x1p-24; }
    SpriteHandle LoadSpriteDC(std::string_view) override { return ++m_lastSprite; }
    void DrawFrame(const GameState& s) override { benchmark::DoNotOptimize(&s); }
    void DrawBullet(SpriteHandle, Int16 x, Int16 y) override { benchmark::DoNotOptimize(x + y); }
    void ShowFrame() override {}
    void ShowMenu() override {}
    void HideGame() override {}
    void UnloadGame() override {}

private:
    SpriteHandle m_lastSprite = 0;
};

void RulesTick(benchmark::State& state)
{
    QuietHost host;
    Rules game(host);
    game.Activate();
    // The player's script: follow the ball with the paddle and fire every eighth tick.
    long tick = 0;
    std::size_t allocations = 0;
    for (auto _ : state) {
        if (++tick % 8 == 0)
            game.Click();
        game.MouseMove(game.State.BallY + 50.0);
        const Int16 games = game.State.Games;
        const std::size_t before = Allocations();
        game.Tick();
        // A rally end builds the texts of its boxes; any other tick must allocate nothing.
        if (game.State.Games == games)
            allocations += Allocations() - before;
    }
    state.counters["rallies"] = static_cast<double>(host.Rallies);
    state.counters["allocations_outside_rally_ends"] = static_cast<double>(allocations);
}
BENCHMARK(RulesTick)->MinTime(1.0);

} // namespace
