// The computer's step on its own: tracking, dodging, clamping and the three firing decisions.
#include "Enemy.h"
#include "RecordingHost.h"

#include <QTest>

namespace {
struct Case {
    int BallX, BallY, BallDY, EnemyY;
    const char* Busy;                   // the computer's slots already in flight
    QList<int> EnemyHoles, PlayerHoles; // broken rows of each wall
    int ShotX, ShotY;                   // the player's bullet in slot 1; ShotX < 0: none
    int NewEnemyY;
    const char* Fired; // "slot:row" for each slot fired, every shot from x = 20
};
} // namespace

class TestRulesEnemy : public QObject {
    Q_OBJECT

private slots:
    // The paddle aims, tracks and fires from row EnemyY + 38.
    void enemyStep_data()
    {
        QTest::addColumn<Case>("c");
        QTest::newRow("tracks up, aim on the top row") << Case{200, 200, -5, 162, "", {}, {}, -1, 0, 157, ""};
        QTest::newRow("tracks down, aim on the bottom row")
            << Case{200, 200, 5, 187, "", {}, {}, -1, 0, 192, ""};
        QTest::newRow("tracked up onto the top row, no fire")
            << Case{200, 200, -5, 167, "", {}, {}, -1, 0, 162, ""};
        QTest::newRow("tracked down onto the next top row, no fire")
            << Case{200, 200, 5, 162, "", {}, {}, -1, 0, 167, ""};
        QTest::newRow("aim a row above, no move") << Case{200, 200, -5, 161, "", {}, {}, -1, 0, 161, ""};
        QTest::newRow("aim a row below, fires down")
            << Case{200, 200, 5, 188, "", {}, {}, -1, 0, 198, "1:236"};
        QTest::newRow("fires up at 400") << Case{400, 200, -5, 170, "", {}, {}, -1, 0, 155, "1:193"};
        QTest::newRow("no fire at 401") << Case{401, 200, -5, 170, "", {}, {}, -1, 0, 165, ""};
        QTest::newRow("slot 1 busy") << Case{200, 200, -5, 170, "1", {}, {}, -1, 0, 165, ""};
        QTest::newRow("unclamped at -10") << Case{200, 20, -5, 0, "", {}, {}, -1, 0, -10, "1:28"};
        QTest::newRow("unclamped at 535") << Case{200, 540, 5, 525, "", {}, {}, -1, 0, 535, "1:573"};
        QTest::newRow("slot 3 clamped at 0") << Case{100, 45, -5, 5, "", {}, {}, -1, 0, 0, "3:38"};
        QTest::newRow("slot 3 clamped at 525") << Case{100, 530, 5, 520, "1", {}, {}, -1, 0, 525, "3:563"};
        QTest::newRow("three at 80") << Case{80, 200, -5, 177, "", {}, {}, -1, 0, 152, "1:200 2:200 3:190"};
        QTest::newRow("two at 81") << Case{81, 200, -5, 177, "", {}, {}, -1, 0, 152, "1:200 3:190"};
        QTest::newRow("two at 120") << Case{120, 200, -5, 177, "", {}, {}, -1, 0, 152, "1:200 3:190"};
        QTest::newRow("one at 121") << Case{121, 200, -5, 177, "", {}, {}, -1, 0, 162, "1:200"};
        QTest::newRow("slot 2 at the ball's next top row")
            << Case{80, 200, -5, 157, "13", {}, {}, -1, 0, 157, "2:195"};
        QTest::newRow("slot 2 at the ball's next bottom row")
            << Case{80, 200, 5, 192, "13", {}, {}, -1, 0, 192, "2:230"};
        QTest::newRow("through a hole, ball far")
            << Case{700, 400, -5, 300, "", {}, {338}, -1, 0, 300, "2:338"};
        QTest::newRow("hole a row off") << Case{700, 400, -5, 300, "", {}, {337}, -1, 0, 300, ""};
        QTest::newRow("hole, slot 2 busy") << Case{700, 400, -5, 300, "2", {}, {338}, -1, 0, 300, ""};

        // Dodging a player bullet in row 250 of a paddle at 200..275: a jump of 4 x BallDY, then
        // the looks at a paddle 10 rows higher and lower.
        QTest::newRow("dodges up") << Case{500, 400, -5, 200, "", {250}, {}, 140, 250, 180, ""};
        QTest::newRow("dodges down") << Case{500, 100, 5, 200, "", {250}, {}, 140, 250, 220, ""};
        QTest::newRow("bullet at 150") << Case{500, 400, -5, 200, "", {250}, {}, 150, 250, 200, ""};
        QTest::newRow("wall row intact") << Case{500, 400, -5, 200, "", {}, {}, 140, 250, 200, ""};
        QTest::newRow("paddle's top row") << Case{500, 400, -5, 200, "", {200}, {}, 140, 200, 200, ""};
        QTest::newRow("75 below the top") << Case{500, 400, -5, 200, "", {275}, {}, 140, 275, 200, ""};
        QTest::newRow("a row below the top") << Case{500, 400, -5, 200, "", {201}, {}, 140, 201, 180, ""};
        QTest::newRow("higher test") << Case{500, 400, -5, 200, "", {230, 220}, {}, 140, 230, 190, ""};
        QTest::newRow("lower test") << Case{500, 400, -5, 200, "", {230, 240}, {}, 140, 230, 170, ""};
        QTest::newRow("higher before lower")
            << Case{500, 400, -5, 200, "", {220, 230, 240}, {}, 140, 230, 190, ""};
        QTest::newRow("higher test strict") << Case{500, 400, -5, 200, "", {245, 235}, {}, 140, 245, 180, ""};
        QTest::newRow("clamped after a dodge") << Case{500, 100, 5, 520, "", {540}, {}, 100, 540, 525, ""};
    }
    void enemyStep()
    {
        QFETCH(Case, c);
        GameState s = Rig().S; // served: walls standing, no bullet out
        for (int row : c.EnemyHoles)
            s.EnemyWall[row] = false;
        for (int row : c.PlayerHoles)
            s.PlayerWall[row] = false;
        s.BallX = Wrap16(c.BallX), s.BallY = Wrap16(c.BallY), s.BallDX = -5, s.BallDY = Wrap16(c.BallDY);
        s.EnemyY = Wrap16(c.EnemyY);
        s.EnemyShotX = {333, 333, 333}, s.EnemyShotY = {444, 444, 444};
        const QString busy = c.Busy;
        for (int slot = 0; slot < BulletSlots; ++slot)
            s.EnemyShotOn[slot] = busy.contains(QString::number(slot + 1));
        if (c.ShotX >= 0)
            PutShot(s, false, 0, c.ShotX, c.ShotY);
        EnemyStep(s);

        QCOMPARE(int(s.EnemyY), c.NewEnemyY);
        QStringList fired;
        for (int slot = 0; slot < BulletSlots; ++slot) {
            if (busy.contains(QString::number(slot + 1))) {
                QVERIFY(s.EnemyShotOn[slot] && s.EnemyShotX[slot] == 333 && s.EnemyShotY[slot] == 444);
            } else if (s.EnemyShotOn[slot]) {
                QCOMPARE(s.EnemyShotX[slot], 20);
                fired << QString("%1:%2").arg(slot + 1).arg(s.EnemyShotY[slot]);
            }
        }
        QCOMPARE(fired.join(' '), QString(c.Fired));
    }
};

QTEST_APPLESS_MAIN(TestRulesEnemy)
#include "tst_rules_enemy.moc"
