#pragma once

#include "FrameImage.h"
#include "GameState.h"
#include "SpriteSurface.h"

#include <QSize>
#include <QString>

#include <vector>

// The arena as a picture, without a window: the sprite surfaces of the current activation and
// the frame image that each tick draws into. The game screen shows the image; the sprites fuzz
// target drives the same drawing with sprite files of any content.
class ArenaCanvas {
public:
    // Makes the frame image `size`, all `background`, unless it already has that size.
    void Resize(QSize size, quint32 background);

    // Forgets the last activation's surfaces: the handles an activation stores replace theirs.
    void ReleaseSprites();
    // Loads the BMP at `path` into a new surface and returns its handle. Never fails: a file
    // that cannot be read gives a surface that reads as black.
    SpriteHandle LoadSprite(const QString& path);

    // The frame-drawing step of a tick, then each bullet of the tick, with the sprites of the
    // handles the state holds.
    void DrawFrame(const GameState& state);
    void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y);

    FrameImage& Frame() { return m_frame; }
    const FrameImage& Frame() const { return m_frame; }

private:
    const SpriteSurface& Sprite(SpriteHandle handle) const;

    FrameImage m_frame;
    // A handle is an index into this plus one, so that 0 never names a surface.
    std::vector<SpriteSurface> m_sprites;
};
