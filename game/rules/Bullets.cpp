#include "Bullets.h"

namespace {

constexpr int BulletSpeed = 15;
constexpr int BallPush = 10;
constexpr int PlayerMuzzleX = 780;
constexpr int PlayerMuzzleDY = 37; // the middle row of the 75-row paddle
// An enemy bullet is stopped once its 3 columns reach the player's wall column.
constexpr int EnemyBulletStopX = PlayerWallX - BulletSize;

struct Slot {
    bool& On;
    Int16& X;
    Int16& Y;
};

Slot SlotOf(GameState& s, Side side, int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    if (side == Side::Enemy)
        return {s.EnemyShotOn[i], s.EnemyShotX[i], s.EnemyShotY[i]};
    return {s.PlayerShotOn[i], s.PlayerShotX[i], s.PlayerShotY[i]};
}

// Only the bullet's left column is compared horizontally; vertically the whole bullet must
// lie within the ball's rows.
bool MeetsBall(const GameState& s, Int16 x, Int16 y)
{
    return s.BallX <= x && x <= Wrap16(s.BallX + BallSize) && s.BallY <= y
        && Wrap16(y + BulletSize) <= Wrap16(s.BallY + BallSize);
}

// A bullet whose row equals the paddle's top row, or the row 75 below it, misses.
bool WithinPaddleRows(Int16 y, Int16 paddleTop)
{
    return paddleTop < y && y < Wrap16(paddleTop + PaddleHeight);
}

// The enemy's bullets fly right at the player; the player's fly left. The wall bands are
// open on the far side: a bullet already past the wall's column is still stopped by its row.
bool EnemyBullet(GameState& s, Slot b)
{
    b.X = Wrap16(b.X + BulletSpeed);
    if (Stands(s.PlayerWall, b.Y) && b.X >= EnemyBulletStopX) {
        b.On = false;
    } else if (MeetsBall(s, b.X, b.Y)) {
        s.BallDX = Wrap16(s.BallDX + BallPush);
        b.On = false;
    } else if (PlayerPaddleX <= b.X && b.X < ArenaWidth && WithinPaddleRows(b.Y, s.PlayerY)) {
        b.On = false;
        s.RallyResult = LossHitByBullet;
        return true;
    } else if (b.X >= ArenaWidth) {
        b.On = false;
    }
    return false;
}

bool PlayerBullet(GameState& s, Slot b)
{
    b.X = Wrap16(b.X - BulletSpeed);
    if (Stands(s.EnemyWall, b.Y) && b.X <= EnemyWallX) {
        b.On = false;
    } else if (MeetsBall(s, b.X, b.Y)) {
        s.BallDX = Wrap16(s.BallDX - BallPush);
        b.On = false;
    } else if (0 < b.X && b.X <= PaddleWidth && WithinPaddleRows(b.Y, s.EnemyY)) {
        s.Points = Wrap16(s.Points + 1);
        b.On = false;
        s.RallyResult = WinHitByBullet;
        return true;
    } else if (b.X <= 0) {
        b.On = false;
    }
    return false;
}

} // namespace

void FirePlayerBullet(GameState& s)
{
    for (int slot = 0; slot < BulletSlots; ++slot) {
        Slot b = SlotOf(s, Side::Player, slot);
        if (!b.On) {
            b.On = true;
            b.X = PlayerMuzzleX;
            b.Y = Wrap16(s.PlayerY + PlayerMuzzleDY);
            return;
        }
    }
}

bool MoveBullet(GameState& s, Side side, int slot)
{
    Slot b = SlotOf(s, side, slot);
    return side == Side::Enemy ? EnemyBullet(s, b) : PlayerBullet(s, b);
}
