#include "Ball.h"

#include <cstdlib>

namespace {

// The ball covers 26 rows in the wall tests (its top row and the 25 below), not 25.
constexpr int WallReach = BallSize;

// Whether any row of the ball's reach stands; rows from 600 on do not exist.
bool ReachStands(const Wall& wall, Int16 ballY)
{
    for (int row = ballY; row <= ballY + WallReach; ++row)
        if (Stands(wall, row))
            return true;
    return false;
}

void DestroyReach(Wall& wall, Int16 ballY)
{
    for (int row = ballY; row <= ballY + WallReach; ++row)
        if (row >= 0 && row < WallRows)
            wall[static_cast<std::size_t>(row)] = false;
}

Int16 Abs16(Int16 v) { return Wrap16(std::abs(int{v})); }

} // namespace

void MoveBall(GameState& s)
{
    s.BallY = Wrap16(s.BallY + s.BallDY);
    s.BallX = Wrap16(s.BallX + s.BallDX);
}

void TurnAtTopAndBottom(GameState& s)
{
    constexpr int bottom = ArenaHeight - BallSize; // the ball's lowest row is then 599
    constexpr int nudge = 10;
    if (s.BallY == 0) {
        s.EnemyY = Wrap16(s.EnemyY + nudge);
        s.BallDY = 5;
    } else if (s.BallY == bottom) {
        s.EnemyY = Wrap16(s.EnemyY - nudge);
        s.BallDY = -5;
    }
}

// The band is tested once, on the ball's position after its step. Every row the ball can
// still reach is destroyed by the first hit, so a wall is hit at most once per tick: testing
// the reach as a whole is the same as testing it row by row.
void BallAgainstPlayerWall(GameState& s)
{
    // 725..749: the ball's right edge has reached column 750 and its left edge has not.
    if (!(Wrap16(s.BallX + BallSize) >= PlayerWallX && s.BallX < PlayerWallX))
        return;
    if (!ReachStands(s.PlayerWall, s.BallY))
        return;
    s.BallDX = Wrap16(s.BallDX - 10);
    s.BallX = PlayerWallX - BallSize;
    s.BallDX = Wrap16(-Abs16(s.BallDX));
    s.BallX = Wrap16(s.BallX - Abs16(s.BallDX));
    DestroyReach(s.PlayerWall, s.BallY);
}

// 26..50, which is not the mirror of the player's band: 50 touches this wall, 25 does not.
void BallAgainstEnemyWall(GameState& s)
{
    if (!(s.BallX <= EnemyWallX && Wrap16(s.BallX + BallSize) > EnemyWallX))
        return;
    if (!ReachStands(s.EnemyWall, s.BallY))
        return;
    s.BallDX = Wrap16(s.BallDX + 10);
    s.BallX = EnemyWallX;
    s.BallDX = Abs16(s.BallDX);
    s.BallX = Wrap16(s.BallX + Abs16(s.BallDX));
    DestroyReach(s.EnemyWall, s.BallY);
}
