// The computer's step on its own: tracking, dodging, clamping and the three firing decisions.
#include "Enemy.h"
#include "RecordingHost.h"

#include <QList>
#include <QStringList>
#include <QTest>

class TestRulesEnemy : public QObject {
    Q_OBJECT

private slots:
    void enemyStep_data()
    {
        QTest::addColumn<int>("ballX");
        QTest::addColumn<int>("ballY");
        QTest::addColumn<int>("ballDY");
        QTest::addColumn<int>("enemyY");
        QTest::addColumn<QString>("busy");         // computer slots already in flight
        QTest::addColumn<QList<int>>("enemyHoles"); // broken rows of the computer's wall
        QTest::addColumn<QList<int>>("playerHoles");
        QTest::addColumn<int>("shotX");             // the player's bullet in slot 1; < 0: none
        QTest::addColumn<int>("shotY");
        QTest::addColumn<int>("newEnemyY");
        QTest::addColumn<QString>("fired");         // "slot:row" for each slot fired
        const QList<int> none;

        // The aiming row is EnemyY + 38.
        QTest::newRow("tracks up, aim on the top row") << 200 << 200 << -5 << 162 << "" << none << none << -1 << 0 << 157 << "";
        QTest::newRow("tracks down, aim on the bottom row") << 200 << 200 << 5 << 187 << "" << none << none << -1 << 0 << 192 << "";
        QTest::newRow("tracked up onto the top row, no fire") << 200 << 200 << -5 << 167 << "" << none << none << -1 << 0 << 162 << "";
        QTest::newRow("tracked down onto the next top row, no fire") << 200 << 200 << 5 << 162 << "" << none << none << -1 << 0 << 167 << "";
        QTest::newRow("aim a row above, no move") << 200 << 200 << -5 << 161 << "" << none << none << -1 << 0 << 161 << "";
        QTest::newRow("aim a row below, fires down") << 200 << 200 << 5 << 188 << "" << none << none << -1 << 0 << 198 << "1:236";
        QTest::newRow("fires up from the tracked row") << 200 << 200 << -5 << 170 << "" << none << none << -1 << 0 << 155 << "1:193";
        QTest::newRow("fires up at 400") << 400 << 200 << -5 << 170 << "" << none << none << -1 << 0 << 155 << "1:193";
        QTest::newRow("no fire at 401") << 401 << 200 << -5 << 170 << "" << none << none << -1 << 0 << 165 << "";
        QTest::newRow("slot 1 busy") << 200 << 200 << -5 << 170 << "1" << none << none << -1 << 0 << 165 << "";
        QTest::newRow("unclamped at -10") << 200 << 20 << -5 << 0 << "" << none << none << -1 << 0 << -10 << "1:28";
        QTest::newRow("unclamped at 535") << 200 << 540 << 5 << 525 << "" << none << none << -1 << 0 << 535 << "1:573";
        QTest::newRow("slot 3 clamped at 0") << 100 << 45 << -5 << 5 << "" << none << none << -1 << 0 << 0 << "3:38";
        QTest::newRow("slot 3 clamped at 525") << 100 << 530 << 5 << 520 << "1" << none << none << -1 << 0 << 525 << "3:563";
        QTest::newRow("three at 80") << 80 << 200 << -5 << 177 << "" << none << none << -1 << 0 << 152 << "1:200 2:200 3:190";
        QTest::newRow("two at 81") << 81 << 200 << -5 << 177 << "" << none << none << -1 << 0 << 152 << "1:200 3:190";
        QTest::newRow("two at 120") << 120 << 200 << -5 << 177 << "" << none << none << -1 << 0 << 152 << "1:200 3:190";
        QTest::newRow("one at 121") << 121 << 200 << -5 << 177 << "" << none << none << -1 << 0 << 162 << "1:200";
        QTest::newRow("slot 2 at the ball's next top row") << 80 << 200 << -5 << 157 << "13" << none << none << -1 << 0 << 157 << "2:195";
        QTest::newRow("slot 2 at the ball's next bottom row") << 80 << 200 << 5 << 192 << "13" << none << none << -1 << 0 << 192 << "2:230";
        QTest::newRow("through a hole, ball far") << 700 << 400 << -5 << 300 << "" << none << QList<int>{338} << -1 << 0 << 300 << "2:338";
        QTest::newRow("hole a row off") << 700 << 400 << -5 << 300 << "" << none << QList<int>{337} << -1 << 0 << 300 << "";
        QTest::newRow("hole, slot 2 busy") << 700 << 400 << -5 << 300 << "2" << none << QList<int>{338} << -1 << 0 << 300 << "";

        // Dodging a player bullet in row 250 of a paddle at 200..275.
        const QList<int> hole250{250};
        QTest::newRow("dodges up") << 500 << 400 << -5 << 200 << "" << hole250 << none << 140 << 250 << 180 << "";
        QTest::newRow("dodges down") << 500 << 100 << 5 << 200 << "" << hole250 << none << 140 << 250 << 220 << "";
        QTest::newRow("bullet at 150") << 500 << 400 << -5 << 200 << "" << hole250 << none << 150 << 250 << 200 << "";
        QTest::newRow("wall row intact") << 500 << 400 << -5 << 200 << "" << none << none << 140 << 250 << 200 << "";
        QTest::newRow("paddle's top row") << 500 << 400 << -5 << 200 << "" << QList<int>{200} << none << 140 << 200 << 200 << "";
        QTest::newRow("75 below the top") << 500 << 400 << -5 << 200 << "" << QList<int>{275} << none << 140 << 275 << 200 << "";
        QTest::newRow("a row below the top") << 500 << 400 << -5 << 200 << "" << QList<int>{201} << none << 140 << 201 << 180 << "";
        QTest::newRow("higher test") << 500 << 400 << -5 << 200 << "" << QList<int>{230, 220} << none << 140 << 230 << 190 << "";
        QTest::newRow("lower test") << 500 << 400 << -5 << 200 << "" << QList<int>{230, 240} << none << 140 << 230 << 170 << "";
        QTest::newRow("higher before lower") << 500 << 400 << -5 << 200 << "" << QList<int>{220, 230, 240} << none << 140 << 230 << 190 << "";
        QTest::newRow("higher test strict") << 500 << 400 << -5 << 200 << "" << QList<int>{245, 235} << none << 140 << 245 << 180 << "";
        QTest::newRow("clamped after a dodge") << 500 << 100 << 5 << 520 << "" << QList<int>{540} << none << 100 << 540 << 525 << "";
        QTest::newRow("clamped after a higher dodge") << 500 << 100 << 5 << 520 << "" << QList<int>{540, 530} << none << 100 << 540 << 525 << "";
    }
    void enemyStep()
    {
        QFETCH(int, ballX);
        QFETCH(int, ballY);
        QFETCH(int, ballDY);
        QFETCH(int, enemyY);
        QFETCH(QString, busy);
        QFETCH(QList<int>, enemyHoles);
        QFETCH(QList<int>, playerHoles);
        QFETCH(int, shotX);
        QFETCH(int, shotY);

        GameState s;
        s.PlayerWall.fill(true);
        s.EnemyWall.fill(true);
        for (int row : enemyHoles)
            s.EnemyWall[row] = false;
        for (int row : playerHoles)
            s.PlayerWall[row] = false;
        s.BallX = Wrap16(ballX), s.BallY = Wrap16(ballY), s.BallDX = -5, s.BallDY = Wrap16(ballDY);
        s.EnemyY = Wrap16(enemyY), s.PlayerY = 300;
        s.EnemyShotX = {333, 333, 333}, s.EnemyShotY = {444, 444, 444};
        for (int slot = 0; slot < BulletSlots; ++slot)
            s.EnemyShotOn[slot] = busy.contains(QString::number(slot + 1));
        if (shotX >= 0)
            PutShot(s, false, 0, shotX, shotY);
        const GameState before = s;

        EnemyStep(s);

        QTEST(int(s.EnemyY), "newEnemyY");
        QStringList fired;
        for (int slot = 0; slot < BulletSlots; ++slot) {
            if (before.EnemyShotOn[slot]) {
                QVERIFY(s.EnemyShotOn[slot]);
                QCOMPARE(s.EnemyShotX[slot], 333);
                QCOMPARE(s.EnemyShotY[slot], 444);
            } else if (s.EnemyShotOn[slot]) {
                QCOMPARE(s.EnemyShotX[slot], 20);
                fired << QString("%1:%2").arg(slot + 1).arg(s.EnemyShotY[slot]);
            }
        }
        QTEST(fired.join(' '), "fired");
        // Only the paddle and the computer's slots change.
        QVERIFY(s.BallX == before.BallX && s.BallY == before.BallY && s.BallDX == before.BallDX);
        QVERIFY(s.PlayerShotOn == before.PlayerShotOn && s.PlayerShotX == before.PlayerShotX);
        QVERIFY(s.EnemyWall == before.EnemyWall && s.PlayerWall == before.PlayerWall);
    }

    // From the serve the paddle tracks the ball, and keeps its offset while the ball goes on.
    void servedPaddleTracksFromTheFirstStep_data()
    {
        QTest::addColumn<int>("ballDY");
        QTest::addColumn<int>("enemyY");
        QTest::newRow("up") << -5 << 247;
        QTest::newRow("down") << 5 << 282;
    }
    void servedPaddleTracksFromTheFirstStep()
    {
        QFETCH(int, ballDY);
        QFETCH(int, enemyY);
        GameState s;
        s.PlayerWall.fill(true);
        s.EnemyWall.fill(true);
        s.BallX = 600, s.BallY = 290, s.BallDY = Wrap16(ballDY), s.EnemyY = Wrap16(enemyY); // out of firing reach
        for (int step = 1; step <= 10; ++step) {
            s.BallY = Wrap16(s.BallY + s.BallDY);
            EnemyStep(s);
            QCOMPARE(int(s.EnemyY), enemyY + step * ballDY);
        }
    }
};

QTEST_APPLESS_MAIN(TestRulesEnemy)
#include "tst_rules_enemy.moc"
