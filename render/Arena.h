#pragma once

#include "FrameImage.h"
#include "SpriteSurface.h"

#include <span>

// Where the arena's pieces are drawn: the frame knows the arena's geometry, not its rules.
namespace Arena {
inline constexpr int Width = 800;  // the right border is drawn on x = 800
inline constexpr int Height = 600; // the bottom border on y = 600
inline constexpr int WallRows = 600;
inline constexpr int PlayerWallX = 750;
inline constexpr int EnemyWallX = 50;
inline constexpr int PlayerPaddleX = 780;
inline constexpr int EnemyPaddleX = 0;
inline constexpr int PaddleWidth = 25;
inline constexpr int PaddleHeight = 75;
inline constexpr int BallSize = 25;
inline constexpr int BulletSize = 3;
} // namespace Arena

struct ArenaSprites {
    const SpriteSurface& Paddle;
    const SpriteSurface& Ball;
    const SpriteSurface& Wall; // its top-left pixel draws the borders and every wall row
};

// What one frame shows.
struct ArenaFrame {
    int BallX, BallY, EnemyY, PlayerY;
    std::span<const bool, Arena::WallRows> PlayerWall; // true where the row stands
    std::span<const bool, Arena::WallRows> EnemyWall;
};

// The frame-drawing step: clear, bottom and right borders, both walls row by row, the ball,
// the computer's paddle, the player's paddle.
void DrawArena(FrameImage& frame, const ArenaSprites& sprites, const ArenaFrame& what);
// A bullet, 3 x 3 from the bullet sprite, at (x, y).
void DrawBullet(FrameImage& frame, const SpriteSurface& bullet, int x, int y);
