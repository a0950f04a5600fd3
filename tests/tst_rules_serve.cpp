// Activation, the serve, the messages between rallies, and the order of a tick's steps.
#include "RecordingHost.h"
#include "TimeOfDayRandom.h"

#include <QTest>

#include <cmath>

namespace {

const QString Footer = "\r\nPress ''q'' ingame if you want to stop playing.";

// The next tick takes the ball to (0, 305), below a computer's paddle at 100..175.
void BallPastTheComputerNextTick(GameState& s)
{
    s.BallX = 5, s.BallDX = -5, s.BallY = 300, s.BallDY = 5, s.EnemyY = 100;
}

} // namespace

class TestRulesServe : public QObject {
    Q_OBJECT

private slots:
    void activationStopsResetsLoadsThenServes()
    {
        RecordingHost host;
        Game game(host);
        game.State.Games = 7, game.State.Points = 3;
        QString tallyAtFirstLoad;
        host.During = [&](const QString& call) {
            if (call == "Load /PADDLE.bmp")
                tallyAtFirstLoad = QString("%1/%2").arg(game.State.Games).arg(game.State.Points);
        };
        game.Activate();

        const QStringList expected = {"Timer off", "Load /PADDLE.bmp", "Load /BALL.bmp", "Load /BULLET.bmp",
                                      "Load /WALL.bmp", "Randomize", "Rnd", "Rnd", "Timer on"};
        QCOMPARE(host.Calls, expected);
        QCOMPARE(tallyAtFirstLoad, QString("-1/0"));
        const GameState& s = game.State;
        QCOMPARE((std::array{s.PaddleDC, s.BallDC, s.BulletDC, s.WallDC}),
                 (std::array<SpriteHandle, 4>{101, 102, 103, 104}));
        // The first serve is silent.
        QVERIFY(host.Boxes.isEmpty());
        QVERIFY(s.Games == 0 && s.Points == 0);
    }

    void serveResetsEverything_data()
    {
        QTest::addColumn<double>("dxDraw");
        QTest::addColumn<double>("dyDraw");
        QTest::addColumn<int>("ballDX");
        QTest::addColumn<int>("ballDY");
        QTest::addColumn<int>("enemyY");
        // The draws have single precision, as the classic Rnd's did: this is the next one above 0.25.
        const double justAbove = std::nextafter(0.25F, 1.0F);
        // r * 4 + 1 > 2 is strict: a draw of exactly 0.25 goes right and down.
        QTest::newRow("0.25 both") << 0.25 << 0.25 << 5 << 5 << 282;
        QTest::newRow("just above 0.25 both") << justAbove << justAbove << -5 << -5 << 247;
        QTest::newRow("0 and 0.99") << 0.0 << 0.99 << 5 << -5 << 247;
        QTest::newRow("0.99 and 0") << 0.99 << 0.0 << -5 << 5 << 282;
    }
    void serveResetsEverything()
    {
        QFETCH(double, dxDraw);
        QFETCH(double, dyDraw);
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 17, s.BallY = 33, s.PlayerY = 5, s.EnemyY = 400;
        s.PlayerShotOn = {true, false, true}, s.PlayerShotX = {11, 12, 13}, s.PlayerShotY = {21, 22, 23};
        s.EnemyShotOn = {true, true, true}, s.EnemyShotX = {31, 32, 33}, s.EnemyShotY = {41, 42, 43};
        s.PlayerWall[0] = s.PlayerWall[599] = s.EnemyWall[300] = false;
        s.RallyResult = "Loss - Ball hit paddle";
        rig.Host.Randoms = {dxDraw, dyDraw};
        rig.G.NewRally();

        QVERIFY(s.BallX == 390 && s.BallY == 290 && s.PlayerY == 300);
        QTEST(int(s.BallDX), "ballDX");
        QTEST(int(s.BallDY), "ballDY");
        QTEST(int(s.EnemyY), "enemyY");
        QVERIFY(s.PlayerShotOn == (std::array<bool, 3>{}) && s.EnemyShotOn == (std::array<bool, 3>{}));
        QVERIFY(s.PlayerShotX == (std::array<Int16, 3>{11, 12, 13}) && s.PlayerShotY == (std::array<Int16, 3>{21, 22, 23}));
        QVERIFY(s.EnemyShotX == (std::array<Int16, 3>{31, 32, 33}) && s.EnemyShotY == (std::array<Int16, 3>{41, 42, 43}));
        Wall standing;
        standing.fill(true);
        QVERIFY(s.PlayerWall == standing && s.EnemyWall == standing);
        // Reseeded before the boxes and the draws; the timer comes on last.
        const QStringList expected = {"Randomize", "MsgBox 48 I missed it...", "MsgBox 64 I'm gonna crush you...",
                                      "Rnd", "Rnd", "Timer on"};
        QCOMPARE(rig.Host.Calls, expected);
    }

    // The game's own random source: every draw in [0, 1), and about three draws in four above
    // 0.25, which is what makes three serves in four go up and towards the computer.
    void randomSourceServesThreeInFour()
    {
        TimeOfDayRandom random;
        random.Seed(20240601);
        constexpr int draws = 100000;
        int above = 0;
        for (int i = 0; i < draws; ++i) {
            const double r = random.Next();
            QVERIFY2(r >= 0 && r < 1, qPrintable(QString::number(r, 'g', 17)));
            above += r * 4 + 1 > 2;
        }
        QVERIFY(qAbs(double(above) / draws - 0.75) < 0.01);
    }

    // Games and Points as the tick leaves them before it calls NewRally.
    void resultAndTally_data()
    {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("resultShown");
        QTest::addColumn<QString>("tally");
        QTest::newRow("first serve") << -1 << 0 << false << QString();
        QTest::newRow("1 game won") << 0 << 1 << true << "You have played 1 game and have 1 point." + Footer;
        QTest::newRow("1 game lost") << 0 << 0 << true << "You have played 1 game and have no points." + Footer;
        QTest::newRow("2 games 1 point") << 1 << 1 << true << "You have played 2 games and have 1 points." + Footer;
        QTest::newRow("2 games 0 points") << 1 << 0 << true << "You have played 2 games and have 0 points." + Footer;
        QTest::newRow("100 games") << 99 << 42 << true << "You have played 100 games and have 42 points." + Footer;
        QTest::newRow("1 game 2 points") << 0 << 2 << true << QString();
        QTest::newRow("points wrapped") << 5 << -32768 << true
                                        << "You have played 6 games and have -32768 points." + Footer;
        // 32767 + 1 wraps to -32768: not the first serve, and no tally applies.
        QTest::newRow("games wrap") << 32767 << 3 << true << QString();
    }
    void resultAndTally()
    {
        QFETCH(int, games);
        QFETCH(int, points);
        QFETCH(bool, resultShown);
        QFETCH(QString, tally);
        Rig rig;
        rig.S.Games = Wrap16(games);
        rig.S.Points = Wrap16(points);
        rig.S.RallyResult = "Loss - Hit by bullet";
        rig.G.NewRally();

        QList<RecordingHost::Box> boxes = rig.Host.Boxes;
        if (resultShown) {
            QVERIFY(!boxes.isEmpty());
            QCOMPARE(boxes[0].Prompt, QString("Result: Loss - Hit by bullet"));
            QCOMPARE(boxes[0].Title, QString("I missed it..."));
            QCOMPARE(boxes[0].Style, 48);
            boxes.removeFirst();
        }
        QCOMPARE(boxes.size(), tally.isEmpty() ? 0 : 1);
        if (!tally.isEmpty()) {
            QCOMPARE(boxes[0].Prompt, tally);
            QCOMPARE(boxes[0].Title, QString("I'm gonna crush you..."));
            QCOMPARE(boxes[0].Style, 64);
        }
        QCOMPARE(int(rig.S.Games), int(Wrap16(games + 1)));
    }

    // Frame first, then each live bullet, enemy slots before player slots, then the show.
    void tickDrawsFrameThenBulletsThenShows()
    {
        Rig rig;
        GameState& s = rig.S;
        s.BallX = 500, s.BallY = 100, s.BallDX = 5, s.BallDY = 5, s.EnemyY = 400;
        s.PlayerWall[120] = false; // broken by an earlier hit
        PutShot(s, false, 0, 600, 200);
        PutShot(s, true, 1, 100, 300);
        rig.G.Tick();
        const QStringList expected = {"DrawFrame ball 505,105 enemy 400 player 300 walls 599/600",
                                      "DrawBullet 115,300 from 103", "DrawBullet 585,200 from 103", "ShowFrame"};
        QCOMPARE(rig.Host.Calls, expected);
    }

    // The frame of the tick that ends a rally shows the ball where it ended; the rest of the tick
    // runs on the served state, so no bullet is left to draw.
    void rallyEndInScoringFinishesTheTick()
    {
        Rig rig;
        GameState& s = rig.S;
        BallPastTheComputerNextTick(s);
        PutShot(s, true, 0, 100, 400);
        PutShot(s, false, 2, 600, 200);
        rig.Host.Randoms = {0.1, 0.1};
        rig.G.Tick();

        const QStringList expected = {"DrawFrame ball 0,305 enemy 100 player 300 walls 600/600", "Randomize",
                                      "MsgBox 48 I missed it...", "MsgBox 64 I'm gonna crush you...", "Rnd", "Rnd",
                                      "Timer on", "ShowFrame"};
        QCOMPARE(rig.Host.Calls, expected);
        QCOMPARE(rig.Host.Boxes[0].Prompt, QString("Result: Win - Ball went past paddle"));
        QCOMPARE(rig.Host.Boxes[1].Prompt, "You have played 1 game and have 1 point." + Footer);
        QVERIFY(s.Points == 1 && s.BallX == 390 && s.BallY == 290 && s.EnemyY == 282);
        QVERIFY(s.EnemyShotOn == (std::array<bool, 3>{}) && s.PlayerShotOn == (std::array<bool, 3>{}));
    }

    // A tick delivered while NewRally's boxes are open must not run: the ball still lies where
    // the rally ended, and it would end it again.
    void noTickWhileTheBoxesAreOpen()
    {
        Rig rig;
        GameState& s = rig.S;
        BallPastTheComputerNextTick(s);
        int innerTicks = 0;
        QStringList innerCalls;
        rig.Host.During = [&](const QString& call) {
            if (!call.startsWith("MsgBox"))
                return;
            const GameState before = s;
            const qsizetype calls = rig.Host.Calls.size();
            rig.G.Tick();
            ++innerTicks;
            innerCalls += rig.Host.Calls.mid(calls);
            QVERIFY(before.BallX == s.BallX && before.BallY == s.BallY && before.EnemyY == s.EnemyY);
            QVERIFY(before.Points == s.Points && before.Games == s.Games);
        };
        rig.G.Tick();
        QCOMPARE(innerTicks, 2);
        QCOMPARE(innerCalls, QStringList());
        QCOMPARE(rig.Host.Boxes.size(), 2);
        QVERIFY(s.Points == 1 && s.Games == 1);

        // Once NewRally has returned, ticks run again.
        rig.Host.During = nullptr;
        rig.Host.Clear();
        rig.G.Tick();
        QCOMPARE(rig.Host.Count("DrawFrame"), 1);
        QCOMPARE(rig.Host.Count("ShowFrame"), 1);
    }
};

QTEST_APPLESS_MAIN(TestRulesServe)
#include "tst_rules_serve.moc"
