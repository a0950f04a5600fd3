// The player's controls: the mouse, the speed answer and the three keys.
#include "RecordingHost.h"

#include <QTest>

class TestRulesControls : public QObject {
    Q_OBJECT

private slots:
    void mouseMove_data()
    {
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("playerY");
        QTest::newRow("10") << 10.0 << 0;
        QTest::newRow("38.5 to even") << 38.5 << 0;
        QTest::newRow("39.5 to even") << 39.5 << 2;
        QTest::newRow("40.5 to even") << 40.5 << 2;
        QTest::newRow("300") << 300.0 << 262;
        QTest::newRow("561.5 to even") << 561.5 << 524;
        QTest::newRow("562.5 to even") << 562.5 << 524;
        QTest::newRow("563") << 563.0 << 525;
        QTest::newRow("563.6") << 563.6 << 525;
        QTest::newRow("600") << 600.0 << 525;
    }
    void mouseMove()
    {
        QFETCH(double, y);
        Rig rig;
        rig.G.MouseMove(y);
        QTEST(int(rig.S.PlayerY), "playerY");
        QVERIFY(rig.Host.Calls.isEmpty());
    }

    void speedAnswer_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("interval");
        QTest::newRow("50") << false << "50" << 50;
        QTest::newRow("0") << false << "0" << 1;
        QTest::newRow("-7") << false << "-7" << 1;
        QTest::newRow("0.9") << false << "0.9" << 1;
        QTest::newRow("abc") << false << "abc" << 1;
        QTest::newRow("empty") << false << "" << 1;
        QTest::newRow("Cancel") << true << "" << 1;
        QTest::newRow("200.9") << false << "200.9" << 200;
        QTest::newRow("201") << false << "201" << 200;
        QTest::newRow("1e6") << false << "1e6" << 200;
        QTest::newRow("12abc") << false << "12abc" << 12;
        QTest::newRow("1 5") << false << "1 5" << 15;
        QTest::newRow("&H10") << false << "&H10" << 16;
        QTest::newRow("&O17") << false << "&O17" << 15;
        QTest::newRow("tab and line feed") << false << "\t1\n5\n" << 15;
        QTest::newRow("blanks everywhere") << false << " 1 2 . 9 " << 12;
        QTest::newRow("trailing point") << false << "7." << 7;
        QTest::newRow("exponent") << false << "1.5e2" << 150;
        QTest::newRow("comma is no point") << false << "150,5" << 150;
        QTest::newRow("huge") << false << "1e400" << 200;
        QTest::newRow("long digits") << false << QString(400, '9') << 200;
    }
    void speedAnswer()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, answer);
        QFETCH(int, interval);
        Rig rig;
        rig.Host.Answers = {cancel ? std::nullopt : std::optional<std::string>(answer.toStdString())};
        rig.G.KeyPress('s');
        // The ticks go on while the box is open: no timer call, only the interval.
        QCOMPARE(rig.Host.Calls, (QStringList{"InputBox", QString("Interval %1").arg(interval)}));
        const RecordingHost::Input& box = rig.Host.Inputs[0];
        QCOMPARE(box.Prompt,
                 QString("Set speed of game (max = 200(for extremely high end computers), min = 1(normal)):"));
        QCOMPARE(box.Title, QString("Speed of game"));
        QCOMPARE(box.DefaultText, QString("1"));
        QVERIFY(box.Left == 50 && box.Top == 50);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("points");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("prompt");
        const QStringList quit = {"Timer off", "MsgBox 48 Good Game...loser...", "ShowMenu", "HideGame", "UnloadGame"};
        QTest::newRow("q") << int('q') << 3 << 2 << quit
                           << "Well, you have finished 3 game(s) and scored 2 points(s).";
        QTest::newRow("q after the first serve") << int('q') << 0 << 0 << quit
                                                 << "Well, you have finished 0 game(s) and scored 0 points(s).";
        QTest::newRow("p") << int('p') << 3 << 2
                           << QStringList{"Timer off", "MsgBox 32 Lame, do computers pause?", "Timer on"}
                           << "Aww...boohoo...fingers hurt?";
        for (const char key : {'Q', 'P', 'S', 'x', ' '})
            QTest::addRow("%c", key) << int(key) << 3 << 2 << QStringList() << QString();
        QTest::newRow("q in the high byte") << int('q') + 256 << 3 << 2 << QStringList() << QString();
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, games);
        QFETCH(int, points);
        QFETCH(QString, prompt);
        Rig rig;
        rig.S.Games = Wrap16(games);
        rig.S.Points = Wrap16(points);
        const GameState before = rig.S;
        rig.G.KeyPress(key);
        QTEST(rig.Host.Calls, "calls");
        QCOMPARE(rig.Host.Boxes.value(0).Prompt, prompt);
        // Leaving or pausing keeps the game as it was.
        QVERIFY(rig.S.Games == before.Games && rig.S.Points == before.Points && rig.S.BallX == before.BallX);
    }
};

QTEST_APPLESS_MAIN(TestRulesControls)
#include "tst_rules_controls.moc"
