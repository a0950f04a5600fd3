#pragma once

#include "GameState.h"

#include <optional>
#include <string>
#include <string_view>

// Icons of a message box, by the style values the boxes are specified with.
enum class MsgStyle : int { NoIcon = 0, Question = 32, Exclamation = 48, Information = 64 };

// Everything the rules need from the outside world. The game screen implements it with Qt;
// the tests implement it with a recorder. The rules never show, draw or time anything
// themselves, so every call here is a point where the outside world can be observed.
class GameHost {
public:
    virtual ~GameHost() = default;

    // A modal box with an OK button only; returns when the player dismisses it.
    virtual void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) = 0;
    // A modal input box with its top-left corner at (left, top) in twips. Returns the text
    // typed, or nothing when the player cancels.
    virtual std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                                std::string_view defaultText, int left, int top) = 0;

    // The tick timer: whether ticks are delivered, and their interval in milliseconds.
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual void SetTimerInterval(int milliseconds) = 0;

    // The random source: reseed from the time of day, then draw numbers in [0, 1).
    virtual void Randomize() = 0;
    virtual double Rnd() = 0;

    // Loads a sprite file from the program's folder. Never fails: a file that cannot be read
    // still gives a handle.
    virtual SpriteHandle LoadSpriteDC(std::string_view fileName) = 0;

    // The drawing of a tick: the frame (borders, walls, ball, paddles), then each bullet,
    // then the finished frame is shown.
    virtual void DrawFrame(const GameState& state) = 0;
    virtual void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) = 0;
    virtual void ShowFrame() = 0;

    // Leaving the game: show the menu, hide the game screen, ask for it to be destroyed.
    virtual void ShowMenu() = 0;
    virtual void HideGame() = 0;
    virtual void UnloadGame() = 0;
};
