#include "Arena.h"

using namespace Arena;

void DrawArena(FrameImage& frame, const ArenaSprites& sprites, const ArenaFrame& what)
{
    frame.Cls();
    // Every border and wall pixel is a 1 x 1 copy of the wall picture's top-left pixel, so all
    // of them are the same AND: take that colour once and draw the lines as runs.
    const quint32 wall = sprites.Wall.Pixel(0, 0);
    frame.AndFill(0, Height, Width + 1, 1, wall); // x = 0..800 on the bottom border
    frame.AndFill(Width, 0, 1, Height + 1, wall); // y = 0..600 on the right border
    frame.AndColumn(PlayerWallX, 0, what.PlayerWall, wall);
    frame.AndColumn(EnemyWallX, 0, what.EnemyWall, wall);
    frame.AndCopy(what.BallX, what.BallY, BallSize, BallSize, sprites.Ball);
    frame.AndCopy(EnemyPaddleX, what.EnemyY, PaddleWidth, PaddleHeight, sprites.Paddle);
    frame.AndCopy(PlayerPaddleX, what.PlayerY, PaddleWidth, PaddleHeight, sprites.Paddle);
}

void DrawBullet(FrameImage& frame, const SpriteSurface& bullet, int x, int y)
{
    frame.AndCopy(x, y, BulletSize, BulletSize, bullet);
}
