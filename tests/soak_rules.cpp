// Random play against the rules from a fixed seed, checking after every tick the bounds the
// rest of the game relies on. Usage: soak_rules [TICKS] [SEED]; prints a one-line summary.
#include "NullHost.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

std::mt19937 Dice;

class SoakHost final : public NullHost {
public:
    long Boxes = 0;
    void MsgBox(std::string_view, MsgStyle, std::string_view) override { ++Boxes; }
    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view, int,
                                        int) override
    {
        if (Dice() % 4 == 0)
            return std::nullopt;
        std::string answer;
        for (unsigned n = Dice() % 8; n > 0; --n)
            answer.push_back("0123456789 .-+eE&HhOoabc\t"[Dice() % 25]);
        return answer;
    }
    void SetTimerInterval(int milliseconds) override
    {
        if (milliseconds < 1 || milliseconds > 200)
            Fail("interval " + std::to_string(milliseconds));
    }
    double Rnd() override { return std::uniform_real_distribution<double>(0, 1)(Dice); }

    [[noreturn]] static void Fail(const std::string& what)
    {
        std::fprintf(stderr, "FAIL: %s\n", what.c_str());
        std::exit(1);
    }
};

void Check(bool holds, const char* what, long tick, const GameState& s)
{
    if (holds)
        return;
    SoakHost::Fail(std::string(what) + " after tick " + std::to_string(tick) + ": ball ("
                   + std::to_string(s.BallX) + ", " + std::to_string(s.BallY) + ") step ("
                   + std::to_string(s.BallDX) + ", " + std::to_string(s.BallDY) + ") enemy "
                   + std::to_string(s.EnemyY));
}

bool Within(int v, int lo, int hi) { return lo <= v && v <= hi; }

// Checked right after every serve.
void CheckServe(const GameState& s, long tick)
{
    Check(0 <= s.Points && s.Points <= s.Games, "0 <= Points <= Games", tick, s);
    for (int row = 0; row < WallRows; ++row)
        Check(s.PlayerWall[row] && s.EnemyWall[row], "every wall row stands after a serve", tick, s);
    for (int i = 0; i < BulletSlots; ++i)
        Check(!s.PlayerShotOn[i] && !s.EnemyShotOn[i], "no bullet live after a serve", tick, s);
}

void CheckTick(const GameState& s, long tick, bool enemyMayStandOut)
{
    Check(s.BallDY == 5 || s.BallDY == -5, "BallDY is -5 or +5", tick, s);
    Check(s.BallY % 5 == 0 && Within(s.BallY, 0, 575), "BallY a multiple of 5 in 0..575", tick, s);
    Check(s.BallX % 5 == 0, "BallX a multiple of 5", tick, s);
    Check(s.BallDX % 5 == 0 && s.BallDX % 10 != 0, "BallDX an odd multiple of 5", tick, s);
    // Only the first firing decision moves the paddle without a clamp, by 10.
    Check(enemyMayStandOut ? Within(s.EnemyY, -10, 535) : Within(s.EnemyY, 0, 525), "EnemyY in bounds", tick,
          s);
    for (int i = 0; i < BulletSlots; ++i) {
        if (s.PlayerShotOn[i])
            Check(Within(s.PlayerShotY[i], 0, WallRows - 1), "player bullet row inside the walls", tick, s);
        if (s.EnemyShotOn[i])
            Check(Within(s.EnemyShotY[i], 0, WallRows - 1), "enemy bullet row inside the walls", tick, s);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const long ticks = argc > 1 ? std::atol(argv[1]) : 200000;
    Dice.seed(argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 20261206u);

    SoakHost host;
    Rules game(host);
    game.Activate();
    CheckServe(game.State, 0);
    long rallies = 0, clicks = 0, activations = 1;
    for (long tick = 1; tick <= ticks; ++tick) {
        // Between two ticks the player may move, click or press a key.
        switch (Dice() % 16) {
        case 0:
        case 1:
        case 2: game.MouseMove(std::uniform_real_distribution<double>(-100, 800)(Dice)); break;
        case 3:
        case 4:
            game.Click();
            ++clicks;
            break;
        case 5:
            if (Dice() % 64 == 0)
                game.KeyPress("psxQ"[Dice() % 4]);
            break;
        case 6:
            if (Dice() % 4096 == 0) {
                game.KeyPress('q');
                game.Activate();
                ++activations;
                CheckServe(game.State, tick);
            }
            break;
        default: break;
        }
        const bool slot1WasBusy = game.State.EnemyShotOn[0];
        const Int16 gamesBefore = game.State.Games;
        game.Tick();
        const bool served = game.State.Games != gamesBefore;
        if (served) {
            ++rallies;
            CheckServe(game.State, tick);
        }
        CheckTick(game.State, tick, !slot1WasBusy || served);
    }
    std::printf("soak: %ld ticks, %ld rallies, %ld clicks, %ld activations, %ld boxes: all invariants held\n",
                ticks, rallies, clicks, activations, host.Boxes);
    return 0;
}
