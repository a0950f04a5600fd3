#pragma once

#include "Rules.h"

// A host that lets the rules run with nothing around them: every box is dismissed at once, the speed box is
// cancelled, every random number is 0.5, the sprites are handles 1, 2, 3, ... and nothing is drawn. The
// tests, the soak, the benchmark and the fuzz targets override what they watch or steer.
class NullHost : public GameHost {
public:
    void MsgBox(std::string_view, MsgStyle, std::string_view) override {}
    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view, int,
                                        int) override
    {
        return std::nullopt;
    }
    void SetTimerEnabled(bool) override {}
    void SetTimerInterval(int) override {}
    void Randomize() override {}
    double Rnd() override { return 0.5; }
    SpriteHandle LoadSpriteDC(std::string_view) override { return ++m_lastSprite; }
    void DrawFrame(const GameState&) override {}
    void DrawBullet(SpriteHandle, Int16, Int16) override {}
    void ShowFrame() override {}
    void ShowMenu() override {}
    void HideGame() override {}
    void UnloadGame() override {}

private:
    SpriteHandle m_lastSprite = 0;
};
