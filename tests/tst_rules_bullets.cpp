// Both sides' bullets: firing by click, flight, walls, the ball, the paddles and the drawing.
#include "Bullets.h"
#include "RecordingHost.h"

#include <QTest>

namespace {

// Walls standing, the ball far above the bullets' rows, both paddles' tops at row 300.
GameState Field()
{
    GameState s;
    s.PlayerWall.fill(true);
    s.EnemyWall.fill(true);
    s.BallX = 400, s.BallY = 0, s.BallDX = 5, s.EnemyY = 300, s.PlayerY = 300;
    return s;
}

} // namespace

class TestRulesBullets : public QObject {
    Q_OBJECT

private slots:
    // A bullet flies from startX until it dies or hits the paddle beyond the opposing wall.
    void flight_data()
    {
        QTest::addColumn<bool>("enemy");
        QTest::addColumn<int>("startX");
        QTest::addColumn<bool>("wallIntact");
        QTest::addColumn<int>("row"); // relative to the opposing paddle's top
        QTest::addColumn<int>("lastX");
        QTest::addColumn<bool>("hit");
        QTest::newRow("enemy stopped by the wall") << true << 20 << true << 10 << 755 << false;
        QTest::newRow("enemy through a hole, hits") << true << 20 << false << 10 << 785 << true;
        QTest::newRow("enemy on the paddle's top row") << true << 20 << false << 0 << 800 << false;
        QTest::newRow("enemy a row below the top") << true << 20 << false << 1 << 785 << true;
        QTest::newRow("enemy 74 below the top") << true << 20 << false << 74 << 785 << true;
        QTest::newRow("enemy 75 below the top") << true << 20 << false << 75 << 800 << false;
        QTest::newRow("enemy stopped at 747") << true << 732 << true << 10 << 747 << false;
        QTest::newRow("enemy at 800 in the paddle's rows") << true << 785 << false << 10 << 800 << false;
        QTest::newRow("enemy already past the wall") << true << 760 << true << 10 << 775 << false;
        QTest::newRow("player stopped by the wall") << false << 780 << true << 10 << 45 << false;
        QTest::newRow("player through a hole, hits") << false << 780 << false << 10 << 15 << true;
        QTest::newRow("player on the paddle's top row") << false << 780 << false << 0 << 0 << false;
        QTest::newRow("player a row below the top") << false << 780 << false << 1 << 15 << true;
        QTest::newRow("player 74 below the top") << false << 780 << false << 74 << 15 << true;
        QTest::newRow("player 75 below the top") << false << 780 << false << 75 << 0 << false;
        QTest::newRow("player at 0 in the paddle's rows") << false << 15 << false << 10 << 0 << false;
        QTest::newRow("player already past the wall") << false << 40 << true << 10 << 25 << false;
    }
    void flight()
    {
        QFETCH(bool, enemy);
        QFETCH(int, startX);
        QFETCH(bool, wallIntact);
        QFETCH(int, row);
        QFETCH(bool, hit);
        const Side side = enemy ? Side::Enemy : Side::Player;
        GameState s = Field();
        const int y = 300 + row;
        Wall& opposing = enemy ? s.PlayerWall : s.EnemyWall;
        opposing[y] = wallIntact;
        PutShot(s, enemy, 1, startX, y);
        const bool& on = enemy ? s.EnemyShotOn[1] : s.PlayerShotOn[1];
        const Int16& x = enemy ? s.EnemyShotX[1] : s.PlayerShotX[1];

        bool ended = false;
        int steps = 0;
        while (on && !ended && steps < 100) {
            ended = MoveBullet(s, side, 1);
            ++steps;
            QCOMPARE(int(x), startX + (enemy ? 15 : -15) * steps);
        }
        QVERIFY(!on);
        QTEST(int(x), "lastX");
        QCOMPARE(ended, hit);
        QCOMPARE(opposing[y], wallIntact); // bullets never break walls
        QCOMPARE(s.BallDX, 5);
        QCOMPARE(int(s.Points), hit && !enemy ? 1 : 0);
        const char* result = !hit ? "" : enemy ? "Loss - Hit by bullet" : "Win - Hit by bullet";
        QCOMPARE(QString::fromUtf8(s.RallyResult.data(), s.RallyResult.size()), QString(result));
    }

    // Only the bullet's left column counts across; its three rows must lie within the ball's.
    // Right behind the opposing wall's band, an intact row keeps the bullet off the ball.
    void ballHits_data()
    {
        QTest::addColumn<bool>("enemy");
        QTest::addColumn<int>("ballX");
        QTest::addColumn<int>("dx"); // bullet x after its move, less BallX
        QTest::addColumn<int>("dy"); // bullet y less BallY
        QTest::addColumn<bool>("wallIntact");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<bool>("live");
        for (const bool enemy : {true, false}) {
            const char* who = enemy ? "enemy" : "player";
            const int band = enemy ? 5 : 15; // from the ball's left edge
            QTest::addRow("%s right edge, row +22", who) << enemy << 400 << 25 << 22 << true << true << false;
            QTest::addRow("%s right edge, row +23", who) << enemy << 400 << 25 << 23 << true << false << true;
            QTest::addRow("%s left edge, top row", who) << enemy << 400 << 0 << 0 << true << true << false;
            QTest::addRow("%s a column left", who) << enemy << 400 << -1 << 0 << true << false << true;
            QTest::addRow("%s a column right", who) << enemy << 400 << 26 << 0 << true << false << true;
            QTest::addRow("%s a row above", who) << enemy << 400 << 12 << -1 << true << false << true;
            // Bullets reach the band at 755 and 45.
            QTest::addRow("%s wall intact before the ball", who) << enemy << (enemy ? 750 : 30) << band << 10 << true << false << false;
            QTest::addRow("%s wall broken before the ball", who) << enemy << (enemy ? 750 : 30) << band << 10 << false << true << false;
        }
    }
    void ballHits()
    {
        QFETCH(bool, enemy);
        QFETCH(int, ballX);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, wallIntact);
        QFETCH(bool, hit);
        QFETCH(bool, live);
        const Side side = enemy ? Side::Enemy : Side::Player;
        GameState s = Field();
        s.BallX = Wrap16(ballX);
        s.BallY = 300;
        Wall& opposing = enemy ? s.PlayerWall : s.EnemyWall;
        opposing[300 + dy] = wallIntact;
        PutShot(s, enemy, 0, ballX + dx + (enemy ? -15 : 15), 300 + dy);
        MoveBullet(s, side, 0);
        QCOMPARE(int(s.BallDX), !hit ? 5 : enemy ? 15 : -5);
        QCOMPARE(enemy ? s.EnemyShotOn[0] : s.PlayerShotOn[0], live);
        QCOMPARE(opposing[300 + dy], wallIntact);
    }

    void twoBulletsInOneTick()
    {
        Rig rig;
        GameState& s = rig.S;
        // At 405 after the step, the ball is out of the computer's firing reach.
        s.BallX = 400, s.BallDX = 5, s.BallY = 300, s.BallDY = 5, s.EnemyY = 0;
        PutShot(s, true, 0, 395, 310);
        PutShot(s, true, 1, 395, 327);
        rig.G.Tick();
        QCOMPARE(s.BallDX, 25);
        const QStringList expected = {"DrawBullet 410,310 from 103", "DrawBullet 410,327 from 103", "ShowFrame"};
        QCOMPARE(rig.Host.Calls.mid(1), expected);
    }

    // Both sides reach a paddle in one tick: the computer's bullet is settled first and the
    // serve clears the player's before its block runs.
    void bothPaddlesHitInOneTick_data()
    {
        QTest::addColumn<bool>("enemyBullet");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("tally");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("both") << true << "Result: Loss - Hit by bullet"
                              << "You have played 1 game and have no points." << "DrawBullet 785,310 from 103";
        QTest::newRow("player's alone") << false << "Result: Win - Hit by bullet"
                                        << "You have played 1 game and have 1 point." << "DrawBullet 15,240 from 103";
    }
    void bothPaddlesHitInOneTick()
    {
        QFETCH(bool, enemyBullet);
        QFETCH(QString, drawn);
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 400, s.BallDX = 5, s.BallY = 500, s.BallDY = 5;
        s.EnemyY = 200; // dodges to 220 from the player's bullet, which still hits it
        s.PlayerWall[310] = false;
        s.EnemyWall[240] = false;
        if (enemyBullet)
            PutShot(s, true, 0, 770, 310);
        PutShot(s, false, 2, 30, 240);
        rig.G.Tick();

        QCOMPARE(rig.Host.Boxes.size(), 2);
        QTEST(rig.Host.Boxes[0].Prompt, "result");
        QTEST(rig.Host.Boxes[1].Prompt.section("\r\n", 0, 0), "tally");
        const QStringList tail = {"Timer on", drawn, "ShowFrame"};
        QCOMPARE(rig.Host.Calls.mid(rig.Host.Calls.size() - 3), tail);
        QCOMPARE(rig.Host.Count("DrawBullet"), 1);
    }

    // A bullet is drawn after its move, also in the block in which it stopped, and not again.
    void drawnWhereItStopped()
    {
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 600, s.BallY = 100, s.BallDY = 5, s.EnemyY = 450;
        PutShot(s, true, 0, 740, 200);
        rig.G.Tick();
        QCOMPARE(rig.Host.Calls.mid(1), (QStringList{"DrawBullet 755,200 from 103", "ShowFrame"}));
        QVERIFY(!s.EnemyShotOn[0]);
        rig.Host.Clear();
        rig.G.Tick();
        QCOMPARE(rig.Host.Count("DrawBullet"), 0);
    }

    // A bullet the computer fires is moved in the same tick and first drawn at x = 35.
    void enemyShotFirstDrawnAt35()
    {
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 600, s.BallY = 100, s.BallDY = 5, s.EnemyY = 300;
        s.PlayerWall[338] = false;
        rig.G.Tick();
        QCOMPARE(rig.Host.Calls.mid(1), (QStringList{"DrawBullet 35,338 from 103", "ShowFrame"}));
    }

    void clicksFillTheFirstFreeSlot()
    {
        Rig rig;
        GameState& s = rig.S;
        for (const int playerY : {100, 200, 300, 400}) {
            s.PlayerY = Wrap16(playerY);
            rig.G.Click();
        }
        QCOMPARE(s.PlayerShotOn, (std::array<bool, 3>{true, true, true}));
        QCOMPARE(s.PlayerShotX, (std::array<Int16, 3>{780, 780, 780}));
        QCOMPARE(s.PlayerShotY, (std::array<Int16, 3>{137, 237, 337}));
        QVERIFY(rig.Host.Calls.isEmpty());

        s.PlayerShotOn[1] = false;
        s.PlayerShotOn[2] = false;
        s.PlayerShotX[1] = 500;
        s.PlayerY = 50;
        rig.G.Click();
        QCOMPARE(s.PlayerShotOn, (std::array<bool, 3>{true, true, false}));
        QCOMPARE(s.PlayerShotX, (std::array<Int16, 3>{780, 780, 780}));
        QCOMPARE(s.PlayerShotY, (std::array<Int16, 3>{137, 87, 337}));

        // A new bullet waits for the next tick: it is first drawn at 765.
        rig.G.Tick();
        QCOMPARE(rig.Host.Count("DrawBullet 765,"), 2);
    }
};

QTEST_APPLESS_MAIN(TestRulesBullets)
#include "tst_rules_bullets.moc"
