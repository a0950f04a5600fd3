// Activation, the serve, the messages between rallies, and a rally ending inside a tick.
#include "RecordingHost.h"

#include <QTest>

#include <cmath>

const QString Footer = "\r\nPress ''q'' ingame if you want to stop playing.";

class TestRulesServe : public QObject {
    Q_OBJECT

private slots:
    // Activating again resets the tally before the sprites load, and serves silently.
    void activation()
    {
        Rig rig;
        rig.S.Games = 7, rig.S.Points = 3;
        QStringList tallies;
        rig.During = [&](const QString&) { tallies << QString("%1/%2").arg(rig.S.Games).arg(rig.S.Points); };
        rig.G.Activate();
        QCOMPARE(rig.Calls,
                 (QStringList{"Timer off", "Load /PADDLE.bmp", "Load /BALL.bmp", "Load /BULLET.bmp",
                              "Load /WALL.bmp", "Randomize", "Rnd", "Rnd", "Timer on"}));
        QCOMPARE(tallies.value(1), QString("-1/0"));
        const GameState& s = rig.S;
        QCOMPARE((std::array{s.PaddleDC, s.BallDC, s.BulletDC, s.WallDC}),
                 (std::array<SpriteHandle, 4>{105, 106, 107, 108}));
        QVERIFY(rig.Prompts.isEmpty() && s.Games == 0 && s.Points == 0);
    }

    // Games and Points as the tick leaves them before it calls NewRally.
    void resultAndTally_data()
    {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("points");
        QTest::addColumn<QStringList>("tally");
        QTest::newRow("1 game won") << 0 << 1
                                    << QStringList{"You have played 1 game and have 1 point." + Footer};
        QTest::newRow("1 game lost") << 0 << 0
                                     << QStringList{"You have played 1 game and have no points." + Footer};
        QTest::newRow("1 game 2 points") << 0 << 2 << QStringList();
        QTest::newRow("2 games 1 point")
            << 1 << 1 << QStringList{"You have played 2 games and have 1 points." + Footer};
        QTest::newRow("100 games") << 99 << 0
                                   << QStringList{"You have played 100 games and have 0 points." + Footer};
        // 32767 + 1 wraps to -32768: not the first serve, and no tally applies.
        QTest::newRow("games wrap") << 32767 << 3 << QStringList();
        QTest::newRow("after the wrap") << -32768 << 3 << QStringList();
    }
    void resultAndTally()
    {
        QFETCH(int, games);
        QFETCH(int, points);
        Rig rig;
        rig.S.Games = Wrap16(games), rig.S.Points = Wrap16(points);
        rig.S.RallyResult = LossHitByBullet;
        rig.G.NewRally();
        QCOMPARE(rig.Prompts.value(0), QString("Result: Loss - Hit by bullet"));
        QTEST(rig.Prompts.mid(1), "tally");
        QCOMPARE(int(rig.S.Games), int(Wrap16(games + 1)));
    }

    // The frame of the tick that ends a rally shows the ball where it ended; the rest of the tick
    // runs on the served state, so no bullet is left to draw. A tick delivered while the boxes
    // are open must not run: it would find the ball where the rally ended and end it again.
    // The serve's draws have single precision, as the classic Rnd's did, and r * 4 + 1 > 2 is
    // strict: exactly 0.25 goes right or down, float's next value up goes left or up.
    void rallyEndsMidTickAndServes_data()
    {
        QTest::addColumn<bool>("firstAbove");
        QTest::addColumn<QList<int>>("served"); // BallDX, BallDY, EnemyY
        QTest::newRow("left and down") << true << QList<int>{-5, 5, 282};
        QTest::newRow("right and up") << false << QList<int>{5, -5, 247};
    }
    void rallyEndsMidTickAndServes()
    {
        QFETCH(bool, firstAbove);
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 5, s.BallDX = -5, s.BallY = 300, s.BallDY = 5, s.EnemyY = 100,
        s.PlayerY = 5; // below the paddle at 0
        PutShot(s, true, 0, 100, 400);
        PutShot(s, false, 2, 600, 200);
        s.PlayerWall[0] = s.PlayerWall[599] = s.EnemyWall[300] = false;
        const double justAbove = std::nextafter(0.25F, 1.0F);
        rig.Randoms = {firstAbove ? justAbove : 0.25, firstAbove ? 0.25 : justAbove};
        rig.During = [&](const QString& call) {
            if (call.startsWith("MsgBox"))
                rig.G.Tick();
        };
        rig.G.Tick();

        QCOMPARE(rig.Calls,
                 (QStringList{"DrawFrame ball 0,305 enemy 100 player 5 walls 598/599", "Randomize",
                              "MsgBox 48 I missed it...", "MsgBox 64 I'm gonna crush you...", "Rnd", "Rnd",
                              "Timer on", "ShowFrame"}));
        QCOMPARE(rig.Prompts,
                 (QStringList{"Result: Win - Ball went past paddle",
                              "You have played 1 game and have 1 point." + Footer}));
        QVERIFY(s.Points == 1 && s.Games == 1 && s.BallX == 390 && s.BallY == 290 && s.PlayerY == 300);
        QTEST((QList<int>{s.BallDX, s.BallDY, s.EnemyY}), "served");
        // The slots are emptied but keep where their bullets were; the walls are whole again.
        QVERIFY(s.EnemyShotOn == (std::array<bool, 3>{}) && s.PlayerShotOn == (std::array<bool, 3>{}));
        QVERIFY(s.EnemyShotX[0] == 100 && s.EnemyShotY[0] == 400 && s.PlayerShotX[2] == 600
                && s.PlayerShotY[2] == 200);
        QVERIFY(Standing(s.PlayerWall) == WallRows && Standing(s.EnemyWall) == WallRows);
        // Once NewRally has returned, ticks run again.
        rig.During = nullptr;
        rig.G.Tick();
        QCOMPARE(rig.Calls.filter("ShowFrame").size(), 2);
    }
};

QTEST_APPLESS_MAIN(TestRulesServe)
#include "tst_rules_serve.moc"
