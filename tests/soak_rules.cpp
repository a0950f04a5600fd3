// Faults only long random play reaches: a state outside the bounds that the drawing and the walls rely on.
// Usage: soak_rules [TICKS] [SEED]; prints a summary, or the first check that failed.
#include "NullHost.h"

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

std::mt19937 Dice;

struct SoakHost final : NullHost {
    double Rnd() override { return std::uniform_real_distribution<double>(0, 1)(Dice); }
};

bool Within(int v, int lo, int hi) { return lo <= v && v <= hi; }

} // namespace

int main(int argc, char** argv)
{
    const long ticks = argc > 1 ? std::atol(argv[1]) : 200000;
    Dice.seed(argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 20261206u);
    SoakHost host;
    Rules game(host);
    const GameState& s = game.State;
    game.Activate();
    for (long tick = 1; tick <= ticks; ++tick) {
        // Between two ticks the player may move, click, press a key, or now and then quit and play again.
        const unsigned action = Dice() % 16;
        if (action < 3)
            game.MouseMove(std::uniform_real_distribution<double>(-100, 800)(Dice));
        else if (action < 5)
            game.Click();
        else if (action == 5 && Dice() % 64 == 0)
            game.KeyPress("psxQ"[Dice() % 4]);
        else if (action == 6 && Dice() % 4096 == 0)
            game.KeyPress('q'), game.Activate();
        // Slot 1's jump leaves the computer's paddle up to 10 beyond its bounds until the next tick's clamp.
        const bool slot1Free = !s.EnemyShotOn[0];
        const Int16 games = s.Games;
        game.Tick();
        const bool served = s.Games != games;
        const std::pair<bool, const char*> checks[] = {
            {s.BallDY == 5 || s.BallDY == -5, "BallDY is -5 or +5"},
            {s.BallY % 5 == 0 && Within(s.BallY, 0, 575), "BallY a multiple of 5 in 0..575"},
            {s.BallX % 5 == 0 && s.BallDX % 5 == 0 && s.BallDX % 10 != 0,
             "BallX a multiple of 5, BallDX an odd one"},
            {slot1Free || served ? Within(s.EnemyY, -10, 535) : Within(s.EnemyY, 0, 525),
             "EnemyY within its bounds"},
            {!served || Within(s.Points, 0, s.Games), "0 <= Points <= Games after a serve"},
        };
        for (const auto& [holds, name] : checks)
            if (!holds)
                return std::fprintf(stderr, "FAIL: %s after tick %ld\n", name, tick), 1;
    }
    std::printf("soak: %ld ticks, every check held\n", ticks);
    return 0;
}
