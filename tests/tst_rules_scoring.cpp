// The four ways the ball ends a rally, at the edges of each test.
#include "RecordingHost.h"

#include <QTest>

namespace {

// The ball lands at (x, y) after this tick's step, moving down.
void Land(Rig& rig, int x, int dx, int y, int enemyY, int playerY)
{
    rig.S.BallX = Wrap16(x - dx);
    rig.S.BallDX = Wrap16(dx);
    rig.S.BallY = Wrap16(y - 5);
    rig.S.BallDY = 5;
    rig.S.EnemyY = Wrap16(enemyY);
    rig.S.PlayerY = Wrap16(playerY);
}

} // namespace

class TestRulesScoring : public QObject {
    Q_OBJECT

private slots:
    void rallyEnds_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("result"); // empty: the ball flies on
        QTest::addColumn<int>("pointsWon");
        // The computer's paddle covers rows 100..175, the player's 300..375.
        QTest::newRow("past the computer, below") << -5 << -5 << 300 << "Win - Ball went past paddle" << 1;
        QTest::newRow("past the computer, above") << 0 << -5 << 70 << "Win - Ball went past paddle" << 1;
        QTest::newRow("past the computer, one below") << 0 << -5 << 180 << "Win - Ball went past paddle" << 1;
        QTest::newRow("touching the computer's top") << 0 << -5 << 75 << "" << 0;
        QTest::newRow("computer's bottom row at 0") << 0 << -5 << 175 << "Win - Ball hit paddle" << 1;
        QTest::newRow("computer's top row at 25") << 25 << -5 << 100 << "Win - Ball hit paddle" << 1;
        QTest::newRow("computer's bottom row at 25") << 25 << -5 << 175 << "Win - Ball hit paddle" << 1;
        QTest::newRow("below the computer at 25") << 25 << -5 << 180 << "" << 0;
        QTest::newRow("past the player, above") << 800 << 5 << 270 << "Loss - Ball went past paddle" << 0;
        QTest::newRow("past the player, one below") << 805 << 5 << 380 << "Loss - Ball went past paddle" << 0;
        QTest::newRow("touching the player's top") << 800 << 5 << 275 << "" << 0;
        QTest::newRow("player's bottom row at 800") << 800 << 5 << 375 << "Loss - Ball hit paddle" << 0;
        QTest::newRow("player's top row at 780") << 780 << 5 << 300 << "Loss - Ball hit paddle" << 0;
        QTest::newRow("player's bottom row at 780") << 780 << 5 << 375 << "Loss - Ball hit paddle" << 0;
        QTest::newRow("below the player at 780") << 780 << 5 << 380 << "" << 0;
        QTest::newRow("775 short of the player") << 775 << 5 << 300 << "" << 0;
    }
    void rallyEnds()
    {
        QFETCH(int, x);
        QFETCH(int, dx);
        QFETCH(int, y);
        QFETCH(QString, result);
        QFETCH(int, pointsWon);
        Rig rig;
        rig.S.Points = 4;
        rig.S.Games = 9;
        Land(rig, x, dx, y, 100, 300);
        rig.G.Tick();

        QCOMPARE(rig.Host.Calls.value(0), QString("DrawFrame ball %1,%2 enemy 100 player 300 walls 600/600").arg(x).arg(y));
        QCOMPARE(int(rig.S.Points), 4 + pointsWon);
        if (result.isEmpty()) {
            QVERIFY(rig.Host.Boxes.isEmpty());
            QCOMPARE(int(rig.S.BallX), x);
            return;
        }
        QCOMPARE(rig.Host.Boxes.size(), 2);
        QCOMPARE(rig.Host.Boxes[0].Prompt, "Result: " + result);
        QCOMPARE(rig.Host.Boxes[1].Prompt.section("\r\n", 0, 0),
                 QString("You have played 10 games and have %1 points.").arg(4 + pointsWon));
        QCOMPARE(rig.S.Games, 10);
        QCOMPARE(rig.S.BallX, 390);
    }

    // A ball touching the paddle's top row from above is neither past nor a hit: it flies on
    // beyond the edge until its top row reaches the paddle.
    void ballFliesOnBeyondTheEdge()
    {
        Rig rig;
        Land(rig, 800, 5, 275, 100, 300);
        int ticks = 0;
        while (rig.Host.Boxes.isEmpty() && ticks < 20) {
            rig.Host.Calls.clear();
            rig.G.Tick();
            ++ticks;
        }
        QCOMPARE(ticks, 6);
        QCOMPARE(rig.Host.Calls.value(0), QString("DrawFrame ball 825,300 enemy 100 player 300 walls 600/600"));
        QCOMPARE(rig.Host.Boxes.value(0).Prompt, QString("Result: Loss - Ball hit paddle"));
    }
};

QTEST_APPLESS_MAIN(TestRulesScoring)
#include "tst_rules_scoring.moc"
