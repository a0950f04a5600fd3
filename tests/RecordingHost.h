#pragma once

#include "Rules.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

// The rules' texts as the tests compare them, and a wall's standing rows as the frame counts them.
inline QString Text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline qsizetype Standing(const Wall& wall) { return std::count(wall.begin(), wall.end(), true); }

// A host for the rules that writes down every call, in order, as one readable line, and answers
// from scripts. `During` runs inside every call after it is written down, so a test can look at
// the state at that moment or call back into the game (a tick while a message box is open, say).
class RecordingHost : public GameHost {
public:
    QStringList Calls;
    QStringList Prompts;                       // of the message and input boxes, in order
    QList<double> Randoms;                     // Rnd answers; 0.5 once they run out
    QList<std::optional<std::string>> Answers; // InputBox answers, nullopt for Cancel; "1" once they run out
    std::function<void(const QString& call)> During;

    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override
    {
        Prompts << Text(prompt);
        Record(QString("MsgBox %1 %2").arg(static_cast<int>(style)).arg(Text(title)));
    }
    std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText, int left, int top) override
    {
        Prompts << Text(prompt);
        Record(QString("InputBox %1 [%2] at %3,%4").arg(Text(title), Text(defaultText)).arg(left).arg(top));
        return Answers.isEmpty() ? "1" : Answers.takeFirst();
    }
    void SetTimerEnabled(bool enabled) override { Record(enabled ? "Timer on" : "Timer off"); }
    void SetTimerInterval(int milliseconds) override { Record(QString("Interval %1").arg(milliseconds)); }
    void Randomize() override { Record("Randomize"); }
    double Rnd() override
    {
        Record("Rnd");
        return Randoms.isEmpty() ? 0.5 : Randoms.takeFirst();
    }
    // The sprites load as 101, 102, ... in the order they are asked for.
    SpriteHandle LoadSpriteDC(std::string_view fileName) override
    {
        Record("Load " + Text(fileName));
        return NextSprite++;
    }
    void DrawFrame(const GameState& s) override
    {
        Record(QString("DrawFrame ball %1,%2 enemy %3 player %4 walls %5/%6")
                   .arg(s.BallX)
                   .arg(s.BallY)
                   .arg(s.EnemyY)
                   .arg(s.PlayerY)
                   .arg(Standing(s.PlayerWall))
                   .arg(Standing(s.EnemyWall)));
    }
    void DrawBullet(SpriteHandle b, Int16 x, Int16 y) override
    {
        Record(QString("DrawBullet %1,%2 from %3").arg(x).arg(y).arg(b));
    }
    void ShowFrame() override { Record("ShowFrame"); }
    void ShowMenu() override { Record("ShowMenu"); }
    void HideGame() override { Record("HideGame"); }
    void UnloadGame() override { Record("UnloadGame"); }

private:
    void Record(const QString& call)
    {
        Calls.append(call);
        if (During)
            During(call);
    }

    SpriteHandle NextSprite = 101;
};

// A game activated with the log of the activation cleared, its ball served up and towards the
// computer.
struct Rig : RecordingHost {
    Rules G{*this};
    GameState& S = G.State;

    Rig()
    {
        Randoms = {0.9, 0.9};
        G.Activate();
        Calls.clear();
    }
};

// Puts a live bullet, the computer's or the player's, in slot 0..2 at (x, y).
inline void PutShot(GameState& s, bool enemy, int slot, int x, int y)
{
    (enemy ? s.EnemyShotOn : s.PlayerShotOn)[slot] = true;
    (enemy ? s.EnemyShotX : s.PlayerShotX)[slot] = Wrap16(x);
    (enemy ? s.EnemyShotY : s.PlayerShotY)[slot] = Wrap16(y);
}
