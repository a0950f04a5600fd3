// Faults in the rules: the serve and tallies, ball and walls, scoring, the computer, bullets, the controls.
#include "Bullets.h"
#include "Enemy.h"
#include "Rules.h"

#include <QTest>

#include <cmath>
#include <functional>

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// An activated game whose host writes down every later call of the rules and answers from a script.
struct Rig : GameHost {
    QStringList Calls;
    QList<double> Randoms{0.9, 0.9};         // Rnd's, then 0.5; the first serve goes up and left
    std::optional<std::string> Answer = "1"; // to the speed box; nothing is Cancel
    std::function<void()> InBox = [] {};     // runs inside every message box
    GameState Drawn;                         // as the last frame was drawn
    Rules G{*this};
    GameState& S = G.State;

    Rig() { G.Activate(), Calls.clear(); }
    void MsgBox(std::string_view text, MsgStyle style, std::string_view title) override
    {
        Calls << QString("MsgBox %1 %2: %3").arg(int(style)).arg(Q(title), Q(text)), InBox();
    }
    std::optional<std::string> InputBox(std::string_view text, std::string_view title,
                                        std::string_view answer, int x, int y) override
    {
        return Calls << QString("%1 [%2] at %3,%4: %5").arg(Q(title), Q(answer)).arg(x).arg(y).arg(Q(text)),
               Answer;
    }
    void SetTimerEnabled(bool on) override { Calls << (on ? "Timer on" : "Timer off"); }
    void SetTimerInterval(int ms) override { Calls << QString("Interval %1").arg(ms); }
    void Randomize() override { Calls << "Randomize"; }
    double Rnd() override { return Calls << "Rnd", Randoms.isEmpty() ? 0.5 : Randoms.takeFirst(); }
    SpriteHandle LoadSpriteDC(std::string_view f) override { return Calls << Q(f), ++Sprites; }
    void DrawFrame(const GameState& s) override { Calls << "Frame", Drawn = s; }
    void DrawBullet(SpriteHandle b, Int16 x, Int16 y) override
    {
        Calls << QString::asprintf("%u:%d,%d", b, x, y);
    }
    void ShowFrame() override { Calls << "Show"; }
    void ShowMenu() override { Calls << "ShowMenu"; }
    void HideGame() override { Calls << "HideGame"; }
    void UnloadGame() override { Calls << "UnloadGame"; }
    SpriteHandle Sprites = 0;
};

void Shoot(GameState& s, bool enemy, int slot, int x, int y)
{
    (enemy ? s.EnemyShotOn : s.PlayerShotOn)[slot] = true;
    (enemy ? s.EnemyShotX : s.PlayerShotX)[slot] = Wrap16(x);
    (enemy ? s.EnemyShotY : s.PlayerShotY)[slot] = Wrap16(y);
}

using Run = std::pair<int, int>; // the first and last row
Wall Broken(Run rows)
{
    Wall wall;
    wall.fill(true);
    std::fill(wall.begin() + rows.first, wall.begin() + rows.second + 1, false);
    return wall;
}

// Each row is named from its data, so that a failure says which case failed.
template <class Row, std::size_t N> void AddRows(const Row (&rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::addRow("%s", qPrintable(row.Name())) << row;
}

const double JustAbove = std::nextafter(0.25F, 1.0F); // the serve's draws have single precision

struct Serve {
    int Games = 0, Points = 0; // as the rally ends
    QString Tally{};           // its first line, if any
    double R1 = 0.9, R2 = 0.9;
    int DX = -5, DY = -5, EnemyY = 247;
    QString Name() const { return QString::asprintf("%d games, %d points", Games, Points); }
};
const Serve Serves[] = {
    {.Points = 1, .Tally = "You have played 1 game and have 1 point."},
    {.Tally = "You have played 1 game and have no points."},
    {.Points = 2, .R1 = JustAbove, .R2 = 0.25, .DY = 5, .EnemyY = 282},
    {.Games = 1, .Points = 1, .Tally = "You have played 2 games and have 1 points."},
    {.Games = 32767, .Points = 3, .R1 = 0.25, .R2 = JustAbove, .DX = 5}, // Games wraps: no tally
};

// The ball lands at (X, Y); the wall on its side has the rows Holes broken. The computer's paddle covers
// the rows 100..175, the player's 300..375.
struct Flight {
    int X, DX = 5, Y = 200, DY = 5;
    Run Holes{0, -1};
    int NewX = X, NewDX = DX, NewDY = DY, Nudge = 0; // Nudge: the computer's paddle's, at a turn
    Run Gone = Holes;                                // broken afterwards
    QString Result{};                                // none: the ball flies on
    int EndX = 0;                                    // while the result shows
    QString Name() const { return QString::asprintf("to %d,%d by %d,%d", X, Y, DX, DY); }
};
const Flight Flights[] = {
    {.X = 725, .NewX = 720, .NewDX = -5, .Gone = {200, 225}},
    {.X = 745, .DX = 25, .NewX = 710, .NewDX = -15, .Gone = {200, 225}},
    {.X = 730, .Holes = {200, 224}, .NewX = 720, .NewDX = -5, .Gone = {200, 225}},
    {.X = 730, .Y = 300, .Holes = {300, 325}}, // through a hole
    {.X = 730, .Y = 575, .NewX = 720, .NewDX = -5, .NewDY = -5, .Nudge = -10, .Gone = {575, 599}},
    {.X = 730, .Y = 575, .Holes = {575, 599}, .NewDY = -5, .Nudge = -10}, // no row 600 to stop it
    {.X = 45, .DX = -5, .Y = 0, .DY = -5, .NewX = 55, .NewDX = 5, .NewDY = 5, .Nudge = 10, .Gone = {0, 25}},
    {.X = 50, .DX = -5, .NewX = 55, .NewDX = 5, .Gone = {200, 225}}, // 50 touches the computer's wall
    {.X = 0, .Y = 70, .Result = "Win - Ball went past paddle"},      // the ends of a rally
    {.X = 25, .Y = 100, .Result = "Win - Ball hit paddle", .EndX = 20},
    {.X = 800, .Y = 380, .Result = "Loss - Ball went past paddle", .EndX = 725},
    {.X = 800, .Y = 275},
    {.X = 800, .Y = 375, .Result = "Loss - Ball hit paddle", .EndX = 755},
    {.X = 780, .Y = 300, .Result = "Loss - Ball hit paddle", .EndX = 755},
    {.X = -32766, .Result = "Win - Ball went past paddle"}, // 32761 + 5 wraps
};

// The computer's step with the ball at (BallX, BallY) and a player's bullet at (ShotX, ShotY).
struct Aim {
    int BallX = 200, BallY = 200, BallDY = -5, EnemyY = 200;
    QString Busy{}; // the computer's slots in flight
    QList<int> EnemyHoles{};
    int ShotX = 140, ShotY = 0; // no bullet in row 0
    int NewEnemyY;
    QString Fired{}; // slot:row
    QString Name() const
    {
        return QString::asprintf("ball %d,%d by %d, paddle %d, busy %s, shot %d,%d", BallX, BallY, BallDY,
                                 EnemyY, qPrintable(Busy), ShotX, ShotY);
    }
};
const Aim Aims[] = {
    {.BallDY = 5, .EnemyY = 187, .NewEnemyY = 192},
    {.EnemyY = 167, .NewEnemyY = 162},
    {.BallDY = 5, .EnemyY = 188, .NewEnemyY = 198, .Fired = "1:236"},
    {.BallY = 20, .EnemyY = 0, .NewEnemyY = -10, .Fired = "1:28"},
    {.BallX = 400, .EnemyY = 170, .NewEnemyY = 155, .Fired = "1:193"},
    {.BallX = 401, .EnemyY = 170, .NewEnemyY = 165},
    {.BallX = 100, .BallY = 45, .EnemyY = 5, .NewEnemyY = 0, .Fired = "3:38"},
    {.BallX = 100, .BallY = 530, .BallDY = 5, .EnemyY = 520, .Busy = "1", .NewEnemyY = 525, .Fired = "3:563"},
    {.BallX = 80, .EnemyY = 177, .NewEnemyY = 152, .Fired = "1:200 2:200 3:190"},
    {.BallX = 81, .EnemyY = 177, .NewEnemyY = 152, .Fired = "1:200 3:190"},
    {.BallX = 120, .EnemyY = 177, .NewEnemyY = 152, .Fired = "1:200 3:190"},
    {.BallX = 121, .EnemyY = 177, .NewEnemyY = 162, .Fired = "1:200"},
    {.BallX = 80, .EnemyY = 157, .Busy = "13", .NewEnemyY = 157, .Fired = "2:195"},
    // Dodging a bullet in a broken row: a jump of 4 x BallDY, then a look at a paddle 10 higher and lower.
    {.BallY = 400, .EnemyHoles = {250}, .ShotX = 150, .ShotY = 250, .NewEnemyY = 200},
    {.BallY = 400, .EnemyHoles = {200}, .ShotY = 200, .NewEnemyY = 200},
    {.BallY = 400, .EnemyHoles = {245, 235}, .ShotY = 245, .NewEnemyY = 180},
};

enum Fate { Flies, Stops, PushesBall, HitsPaddle };
// A bullet's step from (X, Y), the opposing wall's row Y standing or not; the computer's paddle covers the
// rows 100..175, the player's 300..375, the ball the columns 400..425 and rows 300..325.
struct Shot {
    bool Enemy = true;
    int X, Y;
    bool Stands = false;
    Fate Then;
    QString Name() const
    {
        return QString::asprintf("%s's at %d,%d%s", Enemy ? "computer" : "player", X, Y,
                                 Stands ? ", row standing" : "");
    }
};
const Shot Shots[] = {
    {.X = 732, .Y = 310, .Stands = true, .Then = Stops},
    {.X = 765, .Y = 310, .Then = HitsPaddle},
    {.X = 785, .Y = 310, .Then = Stops},
    {.X = 770, .Y = 300, .Then = Flies},
    {.X = 770, .Y = 375, .Then = Flies},
    {.Enemy = false, .X = 65, .Y = 110, .Stands = true, .Then = Stops},
    {.Enemy = false, .X = 40, .Y = 110, .Then = HitsPaddle},
    {.Enemy = false, .X = 15, .Y = 110, .Then = Stops},
    {.X = 410, .Y = 323, .Then = Flies},
    {.X = 385, .Y = 300, .Then = PushesBall},
    {.Enemy = false, .X = 440, .Y = 322, .Then = PushesBall},
};

// A control with 3 games played and 2 points: the pointer moved to MouseY, or Key pressed with Answer to the
// speed box. The pointer is kept within 38..563, level with the paddle's middle; halves round to even. The
// answer is read as the classic BASIC Val reads a number.
struct Control {
    double MouseY = -1;
    int Top = 300, Key = 0;
    std::optional<std::string> Answer = "1"; // nothing: Cancel
    int Interval = 1;
    QStringList Calls{};
    QString Name() const // an answer by its last 12 characters, tabs and line feeds escaped
    {
        const QString answer =
            Answer ? Q(*Answer).right(12).replace('\t', "\\t").replace('\n', "\\n") : "Cancel";
        return MouseY < 0 ? QString("%1, %2").arg(QChar(Key), answer) : QString("pointer at %1").arg(MouseY);
    }
};
const Control Controls[] = {
    {.MouseY = 38.5, .Top = 0},
    {.MouseY = 39.5, .Top = 2},
    {.MouseY = 600, .Top = 525},
    {.Key = 'q',
     .Calls = {"Timer off",
               "MsgBox 48 Good Game...loser...: Well, you have finished 3 game(s) and scored 2 points(s).",
               "ShowMenu", "HideGame", "UnloadGame"}},
    {.Key = 'p',
     .Calls = {"Timer off", "MsgBox 32 Lame, do computers pause?: Aww...boohoo...fingers hurt?", "Timer on"}},
    {.Key = 's', // the ticks go on while the box is open
     .Calls = {"Speed of game [1] at 50,50: Set speed of game (max = 200(for extremely high end computers), "
               "min = 1(normal)):",
               "Interval 1"}},
    {.Key = 'Q'},
    {.Key = 's', .Answer = std::nullopt},
    {.Key = 's', .Answer = "\t1\n5 . 9", .Interval = 15},
    {.Key = 's', .Answer = "12.5e1", .Interval = 125},
    {.Key = 's', .Answer = ".5d+2", .Interval = 50},
    {.Key = 's', .Answer = "1D2", .Interval = 100},
    {.Key = 's', .Answer = "25E-1", .Interval = 2},
    {.Key = 's', .Answer = "&H1fg", .Interval = 31},
    {.Key = 's', .Answer = "&o178", .Interval = 15},
    // Beyond a double's range the size of the number decides, not its exponent's sign.
    {.Key = 's', .Answer = "1" + std::string(400, '0') + "e-5", .Interval = 200},
    {.Key = 's', .Answer = "0." + std::string(400, '0') + "1e800", .Interval = 200},
    {.Key = 's', .Answer = "0." + std::string(400, '0') + "1e+800", .Interval = 200},
    {.Key = 's', .Answer = "0." + std::string(1329, '0') + "1e1000", .Interval = 1},
};

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void newRally_data() { AddRows(Serves); }
    void newRally()
    {
        QFETCH(Serve, row);
        Rig g;
        GameState& s = g.S;
        s.Games = Wrap16(row.Games), s.Points = Wrap16(row.Points), s.RallyResult = LossHitByBullet;
        s.PlayerWall[0] = s.EnemyWall[599] = false;
        Shoot(s, true, 0, 100, 400), Shoot(s, false, 2, 600, 200);
        g.Randoms = {row.R1, row.R2}, g.G.NewRally();
        QStringList boxes{"MsgBox 48 I missed it...: Result: Loss - Hit by bullet"};
        if (!row.Tally.isEmpty())
            boxes << "MsgBox 64 I'm gonna crush you...: " + row.Tally
                    + "\r\nPress ''q'' ingame if you want to stop playing.";
        QCOMPARE(g.Calls, (QStringList{"Randomize"} + boxes + QStringList{"Rnd", "Rnd", "Timer on"}));
        QCOMPARE((QList<int>{s.Games, s.BallX, s.BallY, s.PlayerY, s.BallDX, s.BallDY, s.EnemyY}),
                 (QList<int>{Wrap16(row.Games + 1), 390, 290, 300, row.DX, row.DY, row.EnemyY}));
        QVERIFY(s.PlayerWall == Broken({0, -1}) && s.EnemyWall == Broken({0, -1}));
        QVERIFY(s.EnemyShotOn == (std::array<bool, 3>{}) && s.PlayerShotOn == (std::array<bool, 3>{}));
    }

    // The frame shows the ball where the tick left it, before any rally end; the rest of the tick runs on the
    // served state, without the bullet. No tick runs while the boxes are open: it would end the rally again.
    void ball_data() { AddRows(Flights); }
    void ball()
    {
        QFETCH(Flight, row);
        Rig g;
        GameState& s = g.S;
        s.Points = 4, s.Games = 9, s.EnemyY = 100, s.PlayerY = 300;
        s.BallX = Wrap16(row.X - row.DX), s.BallDX = Wrap16(row.DX), s.BallY = Wrap16(row.Y - row.DY);
        s.BallDY = Wrap16(row.DY), (row.X < 400 ? s.EnemyWall : s.PlayerWall) = Broken(row.Holes);
        Shoot(s, true, 0, 500, 590);
        int endX = -1;
        g.InBox = [&] { endX = endX < 0 ? s.BallX : endX, g.G.Tick(); };
        g.G.Tick();
        const GameState& d = g.Drawn;
        QCOMPARE((QList<int>{d.BallX, d.BallY, d.BallDX, d.BallDY, d.EnemyY, s.Games, s.Points,
                             std::max(endX, 0)}),
                 (QList<int>{row.NewX, row.Y, row.NewDX, row.NewDY, 100 + row.Nudge,
                             row.Result.isEmpty() ? 9 : 10, row.Result.startsWith("Win") ? 5 : 4, row.EndX}));
        QVERIFY(d.EnemyWall == Broken(row.X < 400 ? row.Gone : Run{0, -1}));
        QVERIFY(d.PlayerWall == Broken(row.X < 400 ? Run{0, -1} : row.Gone));
        QCOMPARE(Q(s.RallyResult), row.Result);
        QCOMPARE(g.Calls.last(2), (QStringList{row.Result.isEmpty() ? "3:515,590" : "Timer on", "Show"}));
    }
    void enemy_data() { AddRows(Aims); }
    void enemy()
    {
        QFETCH(Aim, row);
        GameState s = Rig().S; // served: walls standing, no bullet out
        for (const int r : row.EnemyHoles)
            s.EnemyWall[r] = false;
        s.BallX = Wrap16(row.BallX), s.BallY = Wrap16(row.BallY), s.BallDY = Wrap16(row.BallDY);
        s.EnemyY = Wrap16(row.EnemyY);
        for (const QChar slot : row.Busy)
            Shoot(s, true, slot.digitValue() - 1, 333, 444);
        if (row.ShotY)
            Shoot(s, false, 0, row.ShotX, row.ShotY);
        EnemyStep(s);
        QStringList fired;
        for (int slot = 0; slot < BulletSlots; ++slot)
            if (s.EnemyShotOn[slot] && s.EnemyShotX[slot] != 333)
                fired << QString("%1:%2").arg(slot + 1).arg(s.EnemyShotX[slot] == 20 ? s.EnemyShotY[slot]
                                                                                     : -1);
        QCOMPARE(int(s.EnemyY), row.NewEnemyY);
        QCOMPARE(fired.join(' '), row.Fired);
    }

    void bullet_data() { AddRows(Shots); }
    void bullet()
    {
        QFETCH(Shot, row);
        GameState s = Rig().S; // served: walls standing, no bullet out, the player's paddle at 300
        Wall& wall = row.Enemy ? s.PlayerWall : s.EnemyWall;
        wall[row.Y] = row.Stands;
        s.BallX = 400, s.BallY = 300, s.BallDX = 5, s.EnemyY = 100;
        Shoot(s, row.Enemy, 1, row.X, row.Y);
        const bool hit = MoveBullet(s, row.Enemy ? Side::Enemy : Side::Player, 1);
        QCOMPARE(int((row.Enemy ? s.EnemyShotX : s.PlayerShotX)[1]), row.X + (row.Enemy ? 15 : -15));
        QCOMPARE((row.Enemy ? s.EnemyShotOn : s.PlayerShotOn)[1], row.Then == Flies);
        QCOMPARE((QList<int>{hit, s.Points, s.BallDX}),
                 (QList<int>{row.Then == HitsPaddle, hit && !row.Enemy,
                             row.Then != PushesBall ? 5
                                 : row.Enemy        ? 15
                                                    : -5}));
        QCOMPARE(Q(s.RallyResult), !hit ? "" : row.Enemy ? "Loss - Hit by bullet" : "Win - Hit by bullet");
        QCOMPARE(wall[row.Y], row.Stands); // bullets never break walls
    }

    // A click fires from the middle of the paddle's front in the first free slot; with all three in flight,
    // nothing.
    void click()
    {
        Rig g;
        g.S.PlayerY = 100, g.S.PlayerShotOn = {false, true, false}, g.G.Click();
        QVERIFY(g.S.PlayerShotOn[0] && !g.S.PlayerShotOn[2] && g.S.PlayerShotX[0] == 780
                && g.S.PlayerShotY[0] == 137);
        g.G.Click(), g.S.PlayerY = 0, g.G.Click();
        QCOMPARE((QList<int>{g.S.PlayerShotY[0], g.S.PlayerShotY[1], g.S.PlayerShotY[2]}),
                 (QList<int>{137, 0, 137}));
    }

    void controls_data() { AddRows(Controls); }
    void controls()
    {
        QFETCH(Control, row);
        Rig g;
        g.S.Games = 3, g.S.Points = 2, g.Answer = row.Answer;
        row.MouseY < 0 ? g.G.KeyPress(row.Key) : g.G.MouseMove(row.MouseY);
        QCOMPARE(int(g.S.PlayerY), row.Top);
        if (row.Key == 's' && row.Calls.isEmpty())
            QCOMPARE(g.Calls.value(1), QString("Interval %1").arg(row.Interval));
        else
            QCOMPARE(g.Calls, row.Calls);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
