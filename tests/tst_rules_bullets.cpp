// Both sides' bullets: firing by click, the step of one bullet, and the bullets of whole ticks.
#include "Bullets.h"
#include "RecordingHost.h"

#include <QTest>

namespace {
// One step of a bullet that starts at (X, Y), with the opposing wall's row Y standing or not.
// Outcome: live, stopped, ball (pushed) or paddle (hit).
struct Step {
    bool Enemy;
    int X, Y;
    bool WallIntact;
    const char* Outcome;
    int BallX = 400, BallY = 0; // far above the bullets by default
};
} // namespace

class TestRulesBullets : public QObject {
    Q_OBJECT

private slots:
    // The player's paddle covers rows 300..375, the computer's 100..175.
    void step_data()
    {
        QTest::addColumn<Step>("b");
        QTest::newRow("enemy stopped at 747") << Step{true, 732, 310, true, "stopped"};
        QTest::newRow("enemy not yet at 746") << Step{true, 731, 310, true, "live"};
        QTest::newRow("enemy past the wall") << Step{true, 760, 310, true, "stopped"};
        QTest::newRow("enemy hits at 780") << Step{true, 765, 310, false, "paddle"};
        QTest::newRow("enemy short at 779") << Step{true, 764, 310, false, "live"};
        QTest::newRow("enemy out at 800") << Step{true, 785, 310, false, "stopped"};
        QTest::newRow("enemy on the paddle's top row") << Step{true, 770, 300, false, "live"};
        QTest::newRow("enemy a row below the top") << Step{true, 770, 301, false, "paddle"};
        QTest::newRow("enemy 74 below the top") << Step{true, 770, 374, false, "paddle"};
        QTest::newRow("enemy 75 below the top") << Step{true, 770, 375, false, "live"};
        QTest::newRow("player stopped at 50") << Step{false, 65, 110, true, "stopped"};
        QTest::newRow("player not yet at 51") << Step{false, 66, 110, true, "live"};
        QTest::newRow("player past the wall") << Step{false, 40, 110, true, "stopped"};
        QTest::newRow("player hits at 25") << Step{false, 40, 110, false, "paddle"};
        QTest::newRow("player short at 26") << Step{false, 41, 110, false, "live"};
        QTest::newRow("player out at 0") << Step{false, 15, 110, false, "stopped"};
        QTest::newRow("player on the paddle's top row") << Step{false, 30, 100, false, "live"};
        QTest::newRow("player 74 below the top") << Step{false, 30, 174, false, "paddle"};

        // Across, the bullet's left column must lie within the ball's 26 columns; down, its
        // three rows within the ball's 26 rows. An intact row right in front of the ball keeps
        // the bullet off it.
        QTest::newRow("enemy right edge, row +22") << Step{true, 410, 322, true, "ball", 400, 300};
        QTest::newRow("enemy right edge, row +23") << Step{true, 410, 323, true, "live", 400, 300};
        QTest::newRow("enemy left edge, top row") << Step{true, 385, 300, true, "ball", 400, 300};
        QTest::newRow("enemy a column left") << Step{true, 384, 300, true, "live", 400, 300};
        QTest::newRow("enemy a column right") << Step{true, 411, 300, true, "live", 400, 300};
        QTest::newRow("enemy a row above") << Step{true, 397, 299, true, "live", 400, 300};
        QTest::newRow("enemy wall intact before the ball") << Step{true, 740, 310, true, "stopped", 750, 300};
        QTest::newRow("enemy wall broken before the ball") << Step{true, 740, 310, false, "ball", 750, 300};
        QTest::newRow("player right edge, row +22") << Step{false, 440, 322, true, "ball", 400, 300};
        QTest::newRow("player wall intact before the ball") << Step{false, 60, 310, true, "stopped", 30, 300};
        QTest::newRow("player wall broken before the ball") << Step{false, 60, 310, false, "ball", 30, 300};
    }
    void step()
    {
        QFETCH(Step, b);
        GameState s = Rig().S; // served: walls standing, no bullet out, the player's paddle at 300
        (b.Enemy ? s.PlayerWall : s.EnemyWall)[b.Y] = b.WallIntact;
        s.BallX = Wrap16(b.BallX), s.BallY = Wrap16(b.BallY), s.BallDX = 5, s.EnemyY = 100;
        PutShot(s, b.Enemy, 1, b.X, b.Y);
        const bool hit = MoveBullet(s, b.Enemy ? Side::Enemy : Side::Player, 1);

        const QString outcome = b.Outcome;
        QCOMPARE(int(b.Enemy ? s.EnemyShotX[1] : s.PlayerShotX[1]), b.X + (b.Enemy ? 15 : -15));
        QCOMPARE(b.Enemy ? s.EnemyShotOn[1] : s.PlayerShotOn[1], outcome == "live");
        QCOMPARE(hit, outcome == "paddle");
        QCOMPARE(int(s.BallDX), outcome != "ball" ? 5 : b.Enemy ? 15 : -5);
        QCOMPARE(int(s.Points), hit && !b.Enemy ? 1 : 0);
        QCOMPARE(Text(s.RallyResult),
                 QString(!hit          ? ""
                             : b.Enemy ? "Loss - Hit by bullet"
                                       : "Win - Hit by bullet"));
        QCOMPARE((b.Enemy ? s.PlayerWall : s.EnemyWall)[b.Y], b.WallIntact); // bullets never break walls
    }

    // One tick's bullets: the frame first, then the computer's slots, then the player's, then the
    // show. A bullet is drawn after its move, also where it stopped; one the computer fires is
    // moved in the same tick, so it is first seen at 35; two bullets can hit the ball in a tick.
    void bulletsOfOneTick()
    {
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 400, s.BallDX = 5, s.BallY = 300, s.BallDY = 5, s.EnemyY = 300;
        s.PlayerWall[338] = false; // the computer's aiming row: it fires slot 2 through the hole
        PutShot(s, true, 0, 740, 200);
        PutShot(s, false, 0, 430, 310);
        PutShot(s, false, 1, 430, 327);
        rig.G.Tick();
        QCOMPARE(rig.Calls,
                 (QStringList{"DrawFrame ball 405,305 enemy 300 player 300 walls 599/600",
                              "DrawBullet 755,200 from 103", "DrawBullet 35,338 from 103",
                              "DrawBullet 415,310 from 103", "DrawBullet 415,327 from 103", "ShowFrame"}));
        QVERIFY(s.BallDX == -15 && s.EnemyShotOn == (std::array{false, true, false})
                && s.PlayerShotOn == (std::array<bool, 3>{}));
    }

    // Both sides reach a paddle in one tick: the computer's bullet is settled first and the
    // serve clears the player's before its block runs.
    void bothPaddlesHitInOneTick()
    {
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 400, s.BallDX = 5, s.BallY = 500, s.BallDY = 5;
        s.EnemyY = 200; // dodges to 220 from the player's bullet, which would still hit it
        s.PlayerWall[310] = s.EnemyWall[240] = false;
        PutShot(s, true, 0, 770, 310);
        PutShot(s, false, 2, 30, 240);
        rig.G.Tick();
        QCOMPARE(rig.Prompts.value(0), QString("Result: Loss - Hit by bullet"));
        QCOMPARE(rig.Calls.mid(rig.Calls.size() - 3),
                 (QStringList{"Timer on", "DrawBullet 785,310 from 103", "ShowFrame"}));
    }

    // A click takes the first free slot, from the middle of the paddle; a fourth does nothing.
    // The new bullet waits for the next tick, so it is first drawn at 765.
    void clicks()
    {
        Rig rig;
        GameState& s = rig.S;
        for (const int playerY : {100, 200, 300, 400}) {
            s.PlayerY = Wrap16(playerY);
            rig.G.Click();
        }
        s.PlayerShotOn[1] = s.PlayerShotOn[2] = false;
        s.PlayerShotX[1] = 500;
        s.PlayerY = 50;
        rig.G.Click();
        QVERIFY(rig.Calls.isEmpty());
        QCOMPARE(s.PlayerShotOn, (std::array{true, true, false}));
        QCOMPARE(s.PlayerShotX, (std::array<Int16, 3>{780, 780, 780}));
        QCOMPARE(s.PlayerShotY, (std::array<Int16, 3>{137, 87, 337}));
        rig.G.Tick();
        QCOMPARE(rig.Calls.filter("DrawBullet 765,").size(), 2);
    }
};

QTEST_APPLESS_MAIN(TestRulesBullets)
#include "tst_rules_bullets.moc"
