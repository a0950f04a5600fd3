// The player's controls: the mouse, the speed answer and the three keys.
#include "RecordingHost.h"

#include <QTest>

class TestRulesControls : public QObject {
    Q_OBJECT

private slots:
    // The pointer is kept within 38..563 and the paddle's top is 38 above it, halves rounded to even.
    void mouseMove_data()
    {
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("playerY");
        for (const auto& [y, top] : std::initializer_list<std::pair<double, int>>{
                 {10, 0}, {38.5, 0}, {39.5, 2}, {40.5, 2}, {562.5, 524}, {563, 525}, {600, 525}})
            QTest::addRow("%g", y) << y << top;
    }
    void mouseMove()
    {
        QFETCH(double, y);
        Rig rig;
        rig.G.MouseMove(y);
        QTEST(int(rig.S.PlayerY), "playerY");
    }

    // The answer is read as the classic BASIC Val reads a number, then kept within 1..200.
    void speedAnswer_data()
    {
        QTest::addColumn<QString>("answer"); // a null string: Cancel
        QTest::addColumn<int>("interval");
        for (const auto& [answer, interval] :
             std::initializer_list<std::pair<const char*, int>>{{"50", 50},
                                                                {"0", 1},
                                                                {"-7", 1},
                                                                {"0.9", 1},
                                                                {"abc", 1},
                                                                {"200.9", 200},
                                                                {"201", 200},
                                                                {"1e6", 200},
                                                                {"12abc", 12},
                                                                {"1 5", 15},
                                                                {"&H10", 16},
                                                                {"&O17", 15},
                                                                {"1e400", 200}})
            QTest::newRow(answer) << QString(answer) << interval;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("Cancel") << QString() << 1;
        QTest::newRow("tab and line feed") << "\t1\n5\n" << 15;
        QTest::newRow("blanks everywhere") << " 1 2 . 9 " << 12;
        QTest::newRow("long digits") << QString(400, '9') << 200;
        // Beyond a double's range the size of the number decides, not its exponent's sign.
        QTest::newRow("tiny, upper-case E") << "1E-400" << 1;
        QTest::newRow("tiny, long fraction") << "0." + QString(400, '0') + "1e5" << 1;
        QTest::newRow("huge, negative exponent") << "1" + QString(400, '0') + "e-5" << 200;
    }
    void speedAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(int, interval);
        Rig rig;
        rig.Answers = {answer.isNull() ? std::nullopt : std::optional<std::string>(answer.toStdString())};
        rig.G.KeyPress('s');
        // The ticks go on while the box is open: no timer call, only the interval.
        QCOMPARE(rig.Calls,
                 (QStringList{"InputBox Speed of game [1] at 50,50", QString("Interval %1").arg(interval)}));
        QCOMPARE(
            rig.Prompts,
            QStringList{"Set speed of game (max = 200(for extremely high end computers), min = 1(normal)):"});
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("q") << int('q')
                           << QStringList{"Timer off", "MsgBox 48 Good Game...loser...", "ShowMenu",
                                          "HideGame", "UnloadGame"}
                           << "Well, you have finished 3 game(s) and scored 2 points(s).";
        QTest::newRow("p") << int('p')
                           << QStringList{"Timer off", "MsgBox 32 Lame, do computers pause?", "Timer on"}
                           << "Aww...boohoo...fingers hurt?";
        for (const char key : {'Q', 'P', 'S', 'x', ' '})
            QTest::addRow("%c", key) << int(key) << QStringList() << QString();
        for (const char key : {'q', 'p', 's'})
            QTest::addRow("%c in the high byte", key) << int(key) + 256 << QStringList() << QString();
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(QString, prompt);
        Rig rig;
        rig.S.Games = 3, rig.S.Points = 2;
        rig.G.KeyPress(key);
        QTEST(rig.Calls, "calls");
        QCOMPARE(rig.Prompts.value(0), prompt);
        // Leaving or pausing keeps the game as it was.
        QVERIFY(rig.S.Games == 3 && rig.S.Points == 2 && rig.S.BallX == 390);
    }
};

QTEST_APPLESS_MAIN(TestRulesControls)
#include "tst_rules_controls.moc"
