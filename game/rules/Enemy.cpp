#include "Enemy.h"

namespace {

// The paddle aims, tracks and fires from row EnemyY + 38 (one below its middle row).
constexpr int AimOffset = 38;
constexpr int TrackStep = 5;
constexpr int FireJump = 10;
constexpr int DodgeLook = 10;    // the dodge looks at a paddle 10 rows higher or lower
constexpr int ThreatRange = 150; // player bullets nearer than this can reach the paddle
constexpr int EnemyMuzzleX = 20;
constexpr int LowestTop = ArenaHeight - PaddleHeight; // 525: the bottom row stays inside

Int16 Aim(const GameState& s) { return Wrap16(s.EnemyY + AimOffset); }

// The aiming row lies within the ball's rows from `top` to `top` + 25.
bool AimWithin(Int16 aim, Int16 top, bool strict)
{
    const Int16 bottom = Wrap16(top + BallSize);
    return strict ? (top < aim && aim < bottom) : (top <= aim && aim <= bottom);
}

void Track(GameState& s)
{
    if (!AimWithin(Aim(s), s.BallY, false))
        return;
    if (s.BallDY < 0)
        s.EnemyY = Wrap16(s.EnemyY - TrackStep);
    else if (s.BallDY > 0)
        s.EnemyY = Wrap16(s.EnemyY + TrackStep);
}

// A live player bullet whose row is broken in the wall at `wallRow` and lies strictly within
// the rows of a paddle whose top is `top`.
bool Threatens(const GameState& s, int slot, int wallRow, Int16 top)
{
    const auto i = static_cast<std::size_t>(slot);
    const Int16 y = s.PlayerShotY[i];
    return s.PlayerShotOn[i] && !Stands(s.EnemyWall, wallRow) && top < y && y < Wrap16(top + PaddleHeight);
}

template <class Test> bool AnySlot(Test test)
{
    for (int slot = 0; slot < BulletSlots; ++slot)
        if (test(slot))
            return true;
    return false;
}

void Dodge(GameState& s)
{
    const bool threatened = AnySlot([&](int i) {
        return Threatens(s, i, s.PlayerShotY[static_cast<std::size_t>(i)], s.EnemyY)
            && s.PlayerShotX[static_cast<std::size_t>(i)] < ThreatRange;
    });
    if (!threatened)
        return;
    const Int16 e = Wrap16(s.EnemyY + 4 * s.BallDY);
    s.EnemyY = e;
    // Would a paddle 10 rows higher, or else 10 rows lower, be hit? Then jump the other way.
    // These looks ignore how far away the bullet is.
    if (AnySlot([&](int i) {
            const int row = s.PlayerShotY[static_cast<std::size_t>(i)] - DodgeLook;
            return Threatens(s, i, row, Wrap16(e - DodgeLook));
        })) {
        s.EnemyY = Wrap16(e + DodgeLook);
    } else if (AnySlot([&](int i) {
                   const int row = s.PlayerShotY[static_cast<std::size_t>(i)] + DodgeLook;
                   return Threatens(s, i, row, Wrap16(e + DodgeLook));
               })) {
        s.EnemyY = Wrap16(e - DodgeLook);
    }
}

void Clamp(GameState& s)
{
    if (s.EnemyY > LowestTop)
        s.EnemyY = LowestTop;
    else if (s.EnemyY < 0)
        s.EnemyY = 0;
}

void Fire(GameState& s, int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    s.EnemyShotOn[i] = true;
    s.EnemyShotX[i] = EnemyMuzzleX;
    s.EnemyShotY[i] = Aim(s);
}

// Slot 1, while the ball is in the computer's half: jump 10 towards the ball's vertical
// motion and fire. This jump is not clamped until the next tick.
void DecideSlot1(GameState& s)
{
    if (s.BallX > 400 || s.EnemyShotOn[0])
        return;
    if (s.BallDY < 0 && AimWithin(Aim(s), s.BallY, true)) {
        s.EnemyY = Wrap16(s.EnemyY - FireJump);
        Fire(s, 0);
    } else if (s.BallDY > 0 && AimWithin(Aim(s), Wrap16(s.BallY + s.BallDY), true)) {
        s.EnemyY = Wrap16(s.EnemyY + FireJump);
        Fire(s, 0);
    }
}

// Slot 2, without moving: through a broken row of the player's wall wherever the ball is, or
// at a close ball that the aiming row will meet after its next step.
void DecideSlot2(GameState& s)
{
    if (s.EnemyShotOn[1])
        return;
    const Int16 aim = Aim(s);
    const bool holeInPlayerWall = !Stands(s.PlayerWall, aim);
    const bool ballClose =
        s.BallX <= 80 && AimWithin(aim, Wrap16(s.BallY + s.BallDY), false) && s.BallDY != 0;
    if (holeInPlayerWall || ballClose)
        Fire(s, 1);
}

// Slot 3, at a close ball the aiming row will meet: jump 10 as slot 1 does, but clamped.
void DecideSlot3(GameState& s)
{
    if (s.EnemyShotOn[2] || s.BallX > 120 || !AimWithin(Aim(s), Wrap16(s.BallY + s.BallDY), false))
        return;
    if (s.BallDY < 0) {
        s.EnemyY = Wrap16(s.EnemyY - FireJump);
        if (s.EnemyY < 0)
            s.EnemyY = 0;
    }
    if (s.BallDY > 0) {
        s.EnemyY = Wrap16(s.EnemyY + FireJump);
        if (s.EnemyY > LowestTop)
            s.EnemyY = LowestTop;
    }
    Fire(s, 2);
}

} // namespace

void EnemyStep(GameState& s)
{
    Track(s);
    Dodge(s);
    Clamp(s);
    DecideSlot1(s);
    DecideSlot2(s);
    DecideSlot3(s);
}
