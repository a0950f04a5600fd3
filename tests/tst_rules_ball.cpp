// The ball through whole ticks: its turns at the top and bottom, the two walls, and the four
// ways it ends a rally.
#include "RecordingHost.h"

#include <QTest>

namespace {

// A wall with the rows of `runs` broken, each run written "first..last", so that the tables
// read like the walls.
Wall Broken(const QString& runs)
{
    Wall wall;
    wall.fill(true);
    for (const QString& run : runs.split(' ', Qt::SkipEmptyParts))
        for (int row = run.section("..", 0, 0).toInt(); row <= run.section("..", 1, 1).toInt(); ++row)
            wall[row] = false;
    return wall;
}

// The ball lands at (X, Y) after its step. Broken is broken beforehand in the wall on the
// ball's side of the arena; Nudge is the move of the computer's paddle at a turn.
struct Flight {
    int X, DX, Y, DY;
    const char* Broken;
    int NewX, NewDX, NewDY, Nudge;
    const char *PlayerBroken, *EnemyBroken;
};

// The ball lands at (X, Y) after its step, moving down. An empty Result: the ball flies on;
// EndX: where the ball is put when the rally ends.
struct End {
    int X, DX, Y;
    const char* Result;
    int EndX;
};

} // namespace

class TestRulesBall : public QObject {
    Q_OBJECT

private slots:
    // The ball covers 26 rows in the wall tests, y..y+25, and the walls end at row 599.
    void flight_data()
    {
        QTest::addColumn<Flight>("f");
        QTest::newRow("turns at 575") << Flight{500, 5, 575, 5, "", 500, 5, -5, -10, "", ""};
        QTest::newRow("turns at 0") << Flight{500, 5, 0, -5, "", 500, 5, 5, 10, "", ""};

        const char* hit = "205..230";
        QTest::newRow("player 725 at 5") << Flight{725, 5, 205, 5, "", 720, -5, 5, 0, hit, ""};
        QTest::newRow("player 735 at 15") << Flight{735, 15, 205, 5, "", 720, -5, 5, 0, hit, ""};
        QTest::newRow("player 745 at 25") << Flight{745, 25, 205, 5, "", 710, -15, 5, 0, hit, ""};
        QTest::newRow("player 735 at 35") << Flight{735, 35, 205, 5, "", 700, -25, 5, 0, hit, ""};
        QTest::newRow("player 750 at 35 untouched") << Flight{750, 35, 205, 5, "", 750, 35, 5, 0, "", ""};
        QTest::newRow("player 724 not yet") << Flight{724, 5, 205, 5, "", 724, 5, 5, 0, "", ""};
        QTest::newRow("player from behind") << Flight{745, -5, 205, 5, "", 710, -15, 5, 0, hit, ""};
        QTest::newRow("player from behind 750") << Flight{750, -5, 205, 5, "", 750, -5, 5, 0, "", ""};
        QTest::newRow("enemy 50 at -5") << Flight{50, -5, 205, 5, "", 55, 5, 5, 0, "", hit};
        QTest::newRow("enemy 45 at -15") << Flight{45, -15, 205, 5, "", 55, 5, 5, 0, "", hit};
        QTest::newRow("enemy 30 at -25") << Flight{30, -25, 205, 5, "", 65, 15, 5, 0, "", hit};
        QTest::newRow("enemy 45 at -35") << Flight{45, -35, 205, 5, "", 75, 25, 5, 0, "", hit};
        QTest::newRow("enemy 25 at -35 untouched") << Flight{25, -35, 205, 5, "", 25, -35, 5, 0, "", ""};
        QTest::newRow("enemy 51 not yet") << Flight{51, -5, 205, 5, "", 51, -5, 5, 0, "", ""};
        QTest::newRow("enemy from behind") << Flight{30, 5, 205, 5, "", 65, 15, 5, 0, "", hit};
        QTest::newRow("enemy from behind 25") << Flight{25, 5, 205, 5, "", 25, 5, 5, 0, "", ""};

        // One standing row anywhere in the ball's reach is a hit; rows just outside are not.
        QTest::newRow("top row stands")
            << Flight{730, 5, 205, 5, "195..204 206..240", 720, -5, 5, 0, "195..240", ""};
        QTest::newRow("25 below stands")
            << Flight{730, 5, 205, 5, "195..229 231..240", 720, -5, 5, 0, "195..240", ""};
        QTest::newRow("row above stands")
            << Flight{730, 5, 205, 5, "195..203 205..240", 730, 5, 5, 0, "195..203 205..240", ""};
        QTest::newRow("26 below stands")
            << Flight{730, 5, 205, 5, "195..230 232..240", 730, 5, 5, 0, "195..230 232..240", ""};
        QTest::newRow("enemy's top row stands")
            << Flight{45, -5, 205, 5, "195..204 206..240", 55, 5, 5, 0, "", "195..240"};
        QTest::newRow("enemy's 26 below stands")
            << Flight{45, -5, 205, 5, "195..230 232..240", 45, -5, 5, 0, "", "195..230 232..240"};
        QTest::newRow("player's bottom rows") << Flight{730, 5, 575, 5, "", 720, -5, -5, -10, "575..599", ""};
        QTest::newRow("enemy's top rows") << Flight{45, -5, 0, -5, "", 55, 5, 5, 10, "", "0..25"};
        QTest::newRow("enemy's bottom rows") << Flight{45, -5, 575, 5, "", 55, 5, -5, -10, "", "575..599"};
        QTest::newRow("no row 600") << Flight{730, 5, 575, 5, "565..599", 730, 5, -5, -10, "565..599", ""};
    }
    void flight()
    {
        QFETCH(Flight, f);
        Rig rig;
        GameState& s = rig.S;
        s.BallX = Wrap16(f.X - f.DX), s.BallDX = Wrap16(f.DX), s.BallY = Wrap16(f.Y - f.DY),
        s.BallDY = Wrap16(f.DY);
        const Int16 enemyY = f.Y < 300 ? 450 : 50; // out of the ball's way and out of firing reach
        s.EnemyY = enemyY;
        (f.X < 400 ? s.EnemyWall : s.PlayerWall) = Broken(f.Broken);
        rig.G.Tick();

        QCOMPARE((QList<int>{s.BallX, s.BallDX, s.BallDY}), (QList<int>{f.NewX, f.NewDX, f.NewDY}));
        QVERIFY(s.PlayerWall == Broken(f.PlayerBroken) && s.EnemyWall == Broken(f.EnemyBroken));
        // The frame is drawn after the turn and the hit.
        QCOMPARE(rig.Calls.value(0),
                 QString("DrawFrame ball %1,%2 enemy %3 player 300 walls %4/%5")
                     .arg(s.BallX)
                     .arg(f.Y)
                     .arg(enemyY + f.Nudge)
                     .arg(Standing(s.PlayerWall))
                     .arg(Standing(s.EnemyWall)));
    }

    // The computer's paddle covers rows 100..175, the player's 300..375.
    void rallyEnds_data()
    {
        QTest::addColumn<End>("e");
        QTest::newRow("past the computer, above") << End{0, -5, 70, "Win - Ball went past paddle", 0};
        QTest::newRow("past the computer, one below") << End{0, -5, 180, "Win - Ball went past paddle", 0};
        QTest::newRow("touching the computer's top") << End{0, -5, 75, "", 0};
        QTest::newRow("computer's bottom row at 0") << End{0, -5, 175, "Win - Ball hit paddle", 20};
        QTest::newRow("computer's top row at 25") << End{25, -5, 100, "Win - Ball hit paddle", 20};
        QTest::newRow("below the computer at 25") << End{25, -5, 180, "", 0};
        QTest::newRow("past the player, above") << End{800, 5, 270, "Loss - Ball went past paddle", 725};
        QTest::newRow("past the player, one below") << End{805, 5, 380, "Loss - Ball went past paddle", 725};
        QTest::newRow("touching the player's top") << End{800, 5, 275, "", 0};
        QTest::newRow("beyond the edge onto the player's top")
            << End{825, 5, 300, "Loss - Ball hit paddle", 755};
        QTest::newRow("player's bottom row at 800") << End{800, 5, 375, "Loss - Ball hit paddle", 755};
        QTest::newRow("player's top row at 780") << End{780, 5, 300, "Loss - Ball hit paddle", 755};
        QTest::newRow("below the player at 780") << End{780, 5, 380, "", 0};
        QTest::newRow("775 short of the player") << End{775, 5, 300, "", 0};
        // 32765 + 5 wraps to -32766, beyond the computer's edge.
        QTest::newRow("wrapped past the computer") << End{-32766, 5, 205, "Win - Ball went past paddle", 0};
    }
    void rallyEnds()
    {
        QFETCH(End, e);
        Rig rig;
        GameState& s = rig.S;
        s.Points = 4, s.Games = 9, s.EnemyY = 100, s.PlayerY = 300;
        s.BallX = Wrap16(e.X - e.DX), s.BallDX = Wrap16(e.DX), s.BallY = Wrap16(e.Y - 5), s.BallDY = 5;
        int endX = 0;
        rig.During = [&](const QString& call) {
            if (call.startsWith("MsgBox 48"))
                endX = s.BallX;
        };
        rig.G.Tick();

        QCOMPARE(rig.Calls.value(0),
                 QString("DrawFrame ball %1,%2 enemy 100 player 300 walls 600/600").arg(e.X).arg(e.Y));
        const QString result = e.Result;
        const int points = result.startsWith("Win") ? 5 : 4;
        QCOMPARE(int(s.Points), points);
        QCOMPARE(endX, e.EndX);
        if (result.isEmpty()) {
            QVERIFY(rig.Prompts.isEmpty() && s.BallX == e.X);
            return;
        }
        QCOMPARE(rig.Prompts.value(0), "Result: " + result);
        QCOMPARE(rig.Prompts.value(1).section("\r\n", 0, 0),
                 QString("You have played 10 games and have %1 points.").arg(points));
        QVERIFY(rig.Prompts.size() == 2 && s.Games == 10 && s.BallX == 390);
    }
};

QTEST_APPLESS_MAIN(TestRulesBall)
#include "tst_rules_ball.moc"
