#pragma once

#include "Int16.h"

#include <array>
#include <cstdint>
#include <string_view>

// Arena geometry in pixels: the arena is 800 x 600 with its borders drawn on x = 800 and
// y = 600. The walls have one element per pixel row.
inline constexpr int ArenaWidth = 800;
inline constexpr int ArenaHeight = 600;
inline constexpr int WallRows = ArenaHeight;
inline constexpr int BulletSlots = 3;

inline constexpr int PaddleWidth = 25;
inline constexpr int PaddleHeight = 75;
inline constexpr int BallSize = 25;
inline constexpr int BulletSize = 3;
inline constexpr int PlayerWallX = 750;
inline constexpr int EnemyWallX = 50;
inline constexpr int PlayerPaddleX = 780;
inline constexpr int EnemyPaddleX = 0;

// A sprite surface as the host knows it; the rules only store and pass it back.
using SpriteHandle = std::uint32_t;

using Wall = std::array<bool, WallRows>;

// The game screen's whole record: paddles, ball, sprite handles, bullet slots, walls and the
// tally. The rules change it in place; nothing in it is allocated after construction.
struct GameState {
    Int16 EnemyY = 0;  // top row of the computer's paddle, drawn at x = 0
    Int16 PlayerY = 0; // top row of the player's paddle, drawn at x = 780
    Int16 BallX = 0;   // top-left corner of the 25 x 25 ball
    Int16 BallY = 0;
    Int16 BallDX = 0; // step per tick; negative moves towards the computer
    Int16 BallDY = 0; // step per tick; negative moves up

    SpriteHandle PaddleDC = 0;
    SpriteHandle BallDC = 0;
    SpriteHandle BulletDC = 0;
    SpriteHandle WallDC = 0;

    // Bullet slots 1..3 are indices 0..2. A dead slot keeps its last position.
    std::array<bool, BulletSlots> PlayerShotOn{};
    std::array<Int16, BulletSlots> PlayerShotX{};
    std::array<Int16, BulletSlots> PlayerShotY{};
    std::array<bool, BulletSlots> EnemyShotOn{};
    std::array<Int16, BulletSlots> EnemyShotX{};
    std::array<Int16, BulletSlots> EnemyShotY{};

    Wall PlayerWall{}; // true where the row in front of the player's paddle stands (x = 750)
    Wall EnemyWall{};  // likewise in front of the computer's paddle (x = 50)

    Int16 Points = 0;             // rallies the player won since the last activation
    Int16 Games = 0;              // rallies finished since then; -1 until the first serve
    std::string_view RallyResult; // one of the result texts below
};

// How a rally can end. Each text is shown to the player after "Result: ".
inline constexpr std::string_view WinBallWentPast = "Win - Ball went past paddle";
inline constexpr std::string_view LossBallWentPast = "Loss - Ball went past paddle";
inline constexpr std::string_view WinBallHitPaddle = "Win - Ball hit paddle";
inline constexpr std::string_view LossBallHitPaddle = "Loss - Ball hit paddle";
inline constexpr std::string_view WinHitByBullet = "Win - Hit by bullet";
inline constexpr std::string_view LossHitByBullet = "Loss - Hit by bullet";

// Whether a wall row stands. Rows outside the wall do not exist and never stand; the bullet
// and dodge tests only ask about rows inside it, but the check keeps every lookup in bounds.
constexpr bool Stands(const Wall& wall, int row) noexcept
{
    return row >= 0 && row < WallRows && wall[static_cast<std::size_t>(row)];
}
