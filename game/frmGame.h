#pragma once

#include "FrameImage.h"
#include "Game.h"
#include "GameHost.h"
#include "Screen.h"
#include "SpriteSurface.h"
#include "TickTimer.h"
#include "TimeOfDayRandom.h"

#include <vector>

// The arena: a frameless screen covering the screen it opens on, with an invisible pointer.
// It hosts the rules, forwards the player's mouse and keys to them, and gives them the
// boxes, the timer, the random numbers, the sprites and the drawing.
class frmGame : public Screen, private GameHost {
    Q_OBJECT
public:
    explicit frmGame(QWidget* parent = nullptr);

    void Activate() override;

    Game& Rules() { return TheGame; }
    TickTimer& tmrRefresh() { return Timer; }
    const FrameImage& Frame() const { return Picture; }

protected:
    bool QueryUnload() override { return true; } // the game keeps its state until the next Play
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText, int left, int top) override;
    void SetTimerEnabled(bool enabled) override;
    void SetTimerInterval(int milliseconds) override;
    void Randomize() override;
    double Rnd() override;
    SpriteHandle LoadSpriteDC(std::string_view fileName) override;
    void DrawFrame(const GameState& state) override;
    void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) override;
    void ShowFrame() override;
    void ShowMenu() override;
    void HideGame() override;
    void UnloadGame() override;

    const SpriteSurface& Sprite(SpriteHandle handle) const;
    void CoverScreen();

    Game TheGame{*this};
    TickTimer Timer;
    TimeOfDayRandom Random;
    FrameImage Picture;
    // The surfaces of the current activation; a handle is an index into it plus one. The
    // next activation releases them.
    std::vector<SpriteSurface> Sprites;
};
