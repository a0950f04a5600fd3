#pragma once

#include "Game.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>

// A host for the rules that writes down every call, in order, as one readable line, and answers
// from scripts: random numbers, input-box answers and numbered sprite handles. `During` runs
// inside every call after it is written down, so a test can look at the state at that moment or
// call back into the game (a tick while a message box is open, say).
class RecordingHost final : public GameHost {
public:
    struct Box {
        QString Prompt;
        int Style;
        QString Title;
    };
    struct Input {
        QString Prompt, Title, DefaultText;
        int Left, Top;
    };
    // The sprites load as 101, 102, ... in the order they are asked for.
    static constexpr SpriteHandle FirstSprite = 101;

    QStringList Calls;
    QList<Box> Boxes;
    QList<Input> Inputs;
    std::deque<double> Randoms;                     // Rnd answers; 0.5 once they run out
    std::deque<std::optional<std::string>> Answers; // InputBox answers, nullopt for Cancel; "1" once they run out
    std::function<void(const QString& call)> During;

    void Clear()
    {
        Calls.clear();
        Boxes.clear();
        Inputs.clear();
    }
    qsizetype Count(const QString& prefix) const
    {
        return std::count_if(Calls.begin(), Calls.end(), [&](const QString& c) { return c.startsWith(prefix); });
    }

    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override
    {
        Boxes.append({Q(prompt), static_cast<int>(style), Q(title)});
        Record(QString("MsgBox %1 %2").arg(static_cast<int>(style)).arg(Q(title)));
    }
    std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText, int left, int top) override
    {
        Inputs.append({Q(prompt), Q(title), Q(defaultText), left, top});
        Record("InputBox");
        return Next(Answers, std::optional<std::string>("1"));
    }
    void SetTimerEnabled(bool enabled) override { Record(enabled ? "Timer on" : "Timer off"); }
    void SetTimerInterval(int milliseconds) override { Record(QString("Interval %1").arg(milliseconds)); }
    void Randomize() override { Record("Randomize"); }
    double Rnd() override
    {
        Record("Rnd");
        return Next(Randoms, 0.5);
    }
    SpriteHandle LoadSpriteDC(std::string_view fileName) override
    {
        Record("Load " + Q(fileName));
        return NextSprite++;
    }
    void DrawFrame(const GameState& s) override
    {
        Record(QString("DrawFrame ball %1,%2 enemy %3 player %4 walls %5/%6")
                   .arg(s.BallX).arg(s.BallY).arg(s.EnemyY).arg(s.PlayerY)
                   .arg(std::count(s.PlayerWall.begin(), s.PlayerWall.end(), true))
                   .arg(std::count(s.EnemyWall.begin(), s.EnemyWall.end(), true)));
    }
    void DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) override
    {
        Record(QString("DrawBullet %1,%2 from %3").arg(x).arg(y).arg(bullet));
    }
    void ShowFrame() override { Record("ShowFrame"); }
    void ShowMenu() override { Record("ShowMenu"); }
    void HideGame() override { Record("HideGame"); }
    void UnloadGame() override { Record("UnloadGame"); }

private:
    static QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
    template <class T> static T Next(std::deque<T>& script, T otherwise)
    {
        if (script.empty())
            return otherwise;
        T next = script.front();
        script.pop_front();
        return next;
    }
    void Record(const QString& call)
    {
        Calls.append(call);
        if (During)
            During(call);
    }

    SpriteHandle NextSprite = FirstSprite;
};

// A game activated with the log of the activation cleared, its ball served up and towards the
// computer.
struct Rig {
    RecordingHost Host;
    Game G{Host};
    GameState& S = G.State;

    Rig()
    {
        Host.Randoms = {0.9, 0.9};
        G.Activate();
        Host.Clear();
    }
};

// Puts a live bullet, the computer's or the player's, in slot 0..2 at (x, y).
inline void PutShot(GameState& s, bool enemy, int slot, int x, int y)
{
    const auto i = static_cast<std::size_t>(slot);
    (enemy ? s.EnemyShotOn : s.PlayerShotOn)[i] = true;
    (enemy ? s.EnemyShotX : s.PlayerShotX)[i] = Wrap16(x);
    (enemy ? s.EnemyShotY : s.PlayerShotY)[i] = Wrap16(y);
}
