// The ball's flight through whole ticks: the turns at the top and bottom, and the two walls.
#include "RecordingHost.h"

#include <QTest>

namespace {

// The broken rows of `wall`, as "first..last" runs, for readable comparisons.
QString Broken(const Wall& wall)
{
    QStringList runs;
    for (int row = 0; row < WallRows; ++row) {
        if (wall[row])
            continue;
        int last = row;
        while (last + 1 < WallRows && !wall[last + 1])
            ++last;
        runs << QString("%1..%2").arg(row).arg(last);
        row = last;
    }
    return runs.join(' ');
}

// A rig whose enemy paddle and bullets stay out of the ball's way, for a ball placed so that
// it lands at (x, y) after its step.
void PlaceBall(Rig& rig, int x, int dx, int y, int dy)
{
    rig.S.BallX = Wrap16(x - dx);
    rig.S.BallDX = Wrap16(dx);
    rig.S.BallY = Wrap16(y - dy);
    rig.S.BallDY = Wrap16(dy);
    rig.S.EnemyY = y < 300 ? 450 : 50;
}

} // namespace

class TestRulesBall : public QObject {
    Q_OBJECT

private slots:
    void turnsAtTopAndBottom_data()
    {
        QTest::addColumn<int>("y");   // after the step
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("newDY");
        QTest::addColumn<int>("nudge");
        QTest::newRow("reaches 575") << 575 << 5 << -5 << -10;
        QTest::newRow("reaches 0") << 0 << -5 << 5 << 10;
        QTest::newRow("570 going down") << 570 << 5 << 5 << 0;
        QTest::newRow("5 going up") << 5 << -5 << -5 << 0;
        QTest::newRow("leaves 575") << 570 << -5 << -5 << 0;
    }
    void turnsAtTopAndBottom()
    {
        QFETCH(int, y);
        QFETCH(int, dy);
        Rig rig;
        PlaceBall(rig, 500, 5, y, dy);
        const int enemyY = rig.S.EnemyY;
        rig.G.Tick();
        QCOMPARE(int(rig.S.BallY), y);
        QTEST(int(rig.S.BallDY), "newDY");
        QFETCH(int, nudge);
        QCOMPARE(rig.S.EnemyY - enemyY, nudge);
    }

    // The ball lands at (x, 205) and covers rows 205..230 of the wall it meets.
    void wallHits_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("newX");
        QTest::addColumn<int>("newDX");
        QTest::addColumn<bool>("playerWallHit");
        QTest::addColumn<bool>("enemyWallHit");
        QTest::newRow("player 725 at 5") << 725 << 5 << 720 << -5 << true << false;
        QTest::newRow("player 735 at 15") << 735 << 15 << 720 << -5 << true << false;
        QTest::newRow("player 745 at 25") << 745 << 25 << 710 << -15 << true << false;
        QTest::newRow("player 735 at 35") << 735 << 35 << 700 << -25 << true << false;
        QTest::newRow("player 750 at 35 untouched") << 750 << 35 << 750 << 35 << false << false;
        QTest::newRow("player 720 not yet") << 720 << 5 << 720 << 5 << false << false;
        QTest::newRow("player from behind at -5") << 745 << -5 << 710 << -15 << true << false;
        QTest::newRow("player from behind at -15") << 745 << -15 << 700 << -25 << true << false;
        QTest::newRow("player from behind 750") << 750 << -5 << 750 << -5 << false << false;
        QTest::newRow("enemy 50 at -5") << 50 << -5 << 55 << 5 << false << true;
        QTest::newRow("enemy 45 at -15") << 45 << -15 << 55 << 5 << false << true;
        QTest::newRow("enemy 30 at -25") << 30 << -25 << 65 << 15 << false << true;
        QTest::newRow("enemy 45 at -35") << 45 << -35 << 75 << 25 << false << true;
        QTest::newRow("enemy 25 at -35 untouched") << 25 << -35 << 25 << -35 << false << false;
        QTest::newRow("enemy 55 not yet") << 55 << -5 << 55 << -5 << false << false;
        QTest::newRow("enemy from behind 30") << 30 << 5 << 65 << 15 << false << true;
        QTest::newRow("enemy from behind 25") << 25 << 5 << 25 << 5 << false << false;
    }
    void wallHits()
    {
        QFETCH(int, x);
        QFETCH(int, dx);
        QFETCH(bool, playerWallHit);
        QFETCH(bool, enemyWallHit);
        Rig rig;
        PlaceBall(rig, x, dx, 205, 5);
        rig.G.Tick();
        QTEST(int(rig.S.BallX), "newX");
        QTEST(int(rig.S.BallDX), "newDX");
        QCOMPARE(Broken(rig.S.PlayerWall), playerWallHit ? QString("205..230") : QString());
        QCOMPARE(Broken(rig.S.EnemyWall), enemyWallHit ? QString("205..230") : QString());
        // The frame is drawn after the hit: it already lacks the broken rows.
        QVERIFY(rig.Host.Calls.value(0).endsWith(playerWallHit ? "walls 574/600"
                                                 : enemyWallHit ? "walls 600/574" : "walls 600/600"));
    }

    // The ball lands at row y in a stretch of broken rows of either wall. One standing row
    // anywhere in its 26 rows is a hit; rows just outside, or beyond the wall's last row, are not.
    void wallReach_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("standing"); // -1: none
        QTest::addColumn<bool>("hit");
        QTest::newRow("top row") << 205 << 205 << true;
        QTest::newRow("row 25 below the top") << 205 << 230 << true;
        QTest::newRow("row above") << 205 << 204 << false;
        QTest::newRow("row 26 below the top") << 205 << 231 << false;
        QTest::newRow("nothing above row 600") << 575 << -1 << false;
    }
    void wallReach()
    {
        QFETCH(int, y);
        QFETCH(int, standing);
        QFETCH(bool, hit);
        for (const bool playerSide : {true, false}) {
            Rig rig;
            Wall& wall = playerSide ? rig.S.PlayerWall : rig.S.EnemyWall;
            for (int row = y - 10; row <= y + 35 && row < WallRows; ++row)
                wall[row] = row == standing;
            PlaceBall(rig, playerSide ? 730 : 45, playerSide ? 5 : -5, y, 5);
            rig.G.Tick();
            const int turnedBack = playerSide ? -5 : 5;
            QCOMPARE(int(rig.S.BallDX), hit ? turnedBack : -turnedBack);
            if (standing >= 0)
                QCOMPARE(wall[standing], !hit);
            QVERIFY(wall[y - 11]);
        }
    }

    // At the bottom turn the ball covers rows 575..600; there is no row 600 in either wall.
    void bottomRowsStopAtTheWallsEnd()
    {
        for (const bool playerSide : {true, false}) {
            Rig rig;
            PlaceBall(rig, playerSide ? 730 : 45, playerSide ? 5 : -5, 575, 5);
            const Int16 points = rig.S.Points;
            rig.G.Tick();
            const Wall& hitWall = playerSide ? rig.S.PlayerWall : rig.S.EnemyWall;
            const Wall& otherWall = playerSide ? rig.S.EnemyWall : rig.S.PlayerWall;
            QCOMPARE(Broken(hitWall), QString("575..599"));
            QCOMPARE(Broken(otherWall), QString());
            QCOMPARE(rig.S.Points, points);
            QCOMPARE(rig.S.BallDY, -5);
        }
    }

    void ballFliesOnPastTheEdgeWithoutWrapTrouble()
    {
        Rig rig;
        PlaceBall(rig, -32766, 5, 205, 5);
        rig.G.Tick();
        // 32765 + 5 wraps to -32766, beyond the computer's edge, where its rows miss the paddle.
        QCOMPARE(rig.Host.Boxes.value(0).Prompt, QString("Result: Win - Ball went past paddle"));
        QVERIFY(rig.Host.Calls.value(0).startsWith("DrawFrame ball -32766,205"));
    }
};

QTEST_APPLESS_MAIN(TestRulesBall)
#include "tst_rules_ball.moc"
