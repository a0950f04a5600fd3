#pragma once

#include "ArenaCanvas.h"
#include "ArenaScale.h"
#include "GameHost.h"
#include "Rules.h"
#include "Screen.h"
#include "TickTimer.h"
#include "TimeOfDayRandom.h"

// The arena: a frameless screen covering the screen it opens on, with an invisible pointer.
// It hosts the rules, forwards the player's mouse and keys to them, and gives them the
// boxes, the timer, the random numbers, the sprites and the drawing.
class frmGame : public Screen, private GameHost {
    Q_OBJECT
public:
    explicit frmGame(QWidget* parent = nullptr);

    void Activate() override;

    GameState& State() { return m_rules.State; }
    TickTimer& tmrRefresh() { return m_timer; }
    const FrameImage& Frame() const { return m_canvas.Frame(); }
    const ArenaScale& Scale() const { return m_scale; }

protected:
    bool QueryUnload() override { return true; } // the game keeps its state until the next Play
    bool event(QEvent* event) override;
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

    void CoverScreen();
    bool FollowScale();

    Rules m_rules{*this};
    TickTimer m_timer;
    TimeOfDayRandom m_random;
    ArenaCanvas m_canvas;
    ArenaScale m_scale;
};
