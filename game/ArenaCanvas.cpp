#include "ArenaCanvas.h"

#include "Arena.h"
#include "clsFunctions.h"

// The frame is drawn with the rules' geometry.
static_assert(Arena::Width == ArenaWidth && Arena::Height == ArenaHeight);
static_assert(Arena::WallRows == WallRows && Arena::PlayerWallX == PlayerWallX
              && Arena::EnemyWallX == EnemyWallX);
static_assert(Arena::PlayerPaddleX == PlayerPaddleX && Arena::EnemyPaddleX == EnemyPaddleX);
static_assert(Arena::PaddleWidth == PaddleWidth && Arena::PaddleHeight == PaddleHeight
              && Arena::BallSize == BallSize && Arena::BulletSize == BulletSize);

void ArenaCanvas::Resize(QSize size, quint32 background)
{
    if (m_frame.Image().size() != size)
        m_frame.Reset(size, background);
}

void ArenaCanvas::ReleaseSprites() { m_sprites.clear(); }

SpriteHandle ArenaCanvas::LoadSprite(const QString& path)
{
    m_sprites.push_back(clsFunctions::LoadSpriteDC(path));
    return static_cast<SpriteHandle>(m_sprites.size());
}

const SpriteSurface& ArenaCanvas::Sprite(SpriteHandle handle) const
{
    static const SpriteSurface none;
    return handle >= 1 && handle <= m_sprites.size() ? m_sprites[handle - 1] : none;
}

void ArenaCanvas::DrawFrame(const GameState& s)
{
    DrawArena(m_frame, {Sprite(s.PaddleDC), Sprite(s.BallDC), Sprite(s.WallDC)},
              {s.BallX, s.BallY, s.EnemyY, s.PlayerY, s.PlayerWall, s.EnemyWall});
}

void ArenaCanvas::DrawBullet(SpriteHandle bullet, Int16 x, Int16 y)
{
    ::DrawBullet(m_frame, Sprite(bullet), x, y);
}
