// The menu and the game screen as a player meets them: focus, navigation, close requests,
// the in-game keys with their real boxes, the mouse, and the timer's rate limit.
#include "frmGame.h"
#include "frmMenu.h"
#include "ModalBoxes.h"
#include "ScreenModel.h"
#include "TimeOfDayRandom.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestGameScreen : public QObject {
    Q_OBJECT

    frmMenu* Menu() { return static_cast<frmMenu*>(Screens::Find(ScreenName::Menu)); }
    frmGame* Game() { return static_cast<frmGame*>(Screens::Find(ScreenName::Game)); }

    frmGame* Play()
    {
        Menu()->cmdPlay->click();
        return Game();
    }

    void Type(QWidget* w, char key) { QTest::keyClick(w, key); }

private slots:
    // The game's own random source: every draw in [0, 1), and about three in four above 0.25.
    void randomSourceServesThreeInFour()
    {
        TimeOfDayRandom random;
        random.Seed(20240601);
        int above = 0;
        for (int i = 0; i < 100000; ++i) {
            const double r = random.Next();
            QVERIFY2(r >= 0 && r < 1, qPrintable(QString::number(r, 'g', 17)));
            above += r > 0.25;
        }
        QVERIFY(qAbs(above / 100000.0 - 0.75) < 0.01);
    }

    void init()
    {
        Screens::DestroyAll();
        Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
        Screens::Register(ScreenName::Game, [] { return new frmGame; });
        Screens::Show(ScreenName::Menu);
    }

    void menuLayout()
    {
        frmMenu* menu = Menu();
        QCOMPARE(menu->windowTitle(), QString("=>Vantrel<="));
        QCOMPARE(menu->size(), QSize(230, 266));
        QCOMPARE(menu->cmdPlay->geometry(), QRect(53, 33, 121, 47));
        QCOMPARE(menu->cmdQuit->geometry(), QRect(53, 193, 121, 47));
        QVERIFY(!menu->windowIcon().isNull());
        QVERIFY(QTest::qWaitForWindowActive(menu));
        // Tab order: Quit, Rules, Play, About; Quit has the focus at start.
        for (QPushButton* next :
             {menu->cmdQuit, menu->cmdRules, menu->cmdPlay, menu->cmdAbout, menu->cmdQuit}) {
            QCOMPARE(QApplication::focusWidget(), next);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    void closeRequestsAreRefused()
    {
        for (int i = 0; i < 5; ++i)
            QVERIFY(!Menu()->close());
        QVERIFY(Menu()->isVisible());
        frmGame* game = Play();
        ModalBoxes boxes;
        for (int i = 0; i < 5; ++i)
            QVERIFY(!game->close());
        QVERIFY(game->isVisible());
        QCOMPARE(Game(), game);
        QVERIFY(boxes.Boxes.isEmpty());
    }

    void playThenQuitThenPlay()
    {
        frmGame* game = Play();
        QVERIFY(game->isVisible() && !Menu()->isVisible());
        QCOMPARE(Screens::Active(), game);
        QCOMPARE(game->windowTitle(), QString("=> VANTREL <="));
        QVERIFY(game->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(game->geometry(), game->screen()->geometry());
        QVERIFY(game->tmrRefresh().Enabled()); // the silent first serve has run
        game->State().Games = 3;
        game->State().Points = 2;
        ModalBoxes boxes;
        boxes.InputAnswers = {QString("50")};
        bool timerStoppedDuringBox = false;
        boxes.WhileOpen = [&] { timerStoppedDuringBox = !game->tmrRefresh().Enabled(); };
        Type(game, 's');
        QCOMPARE(game->tmrRefresh().Interval(), 50);
        Type(game, 'q');

        QCOMPARE(boxes.Boxes.size(), 2);
        const ModalBoxes::Seen bye = boxes.Boxes[1];
        QCOMPARE(bye.Title, QString("Good Game...loser..."));
        QCOMPARE(bye.Text, QString("Well, you have finished 3 game(s) and scored 2 points(s)."));
        QCOMPARE(bye.Icon, QMessageBox::Warning);
        QVERIFY(timerStoppedDuringBox);
        QVERIFY(Menu()->isVisible());
        QVERIFY(!game->isVisible());
        QVERIFY(!game->tmrRefresh().Enabled());
        QCOMPARE(Game(), game); // refused its unload: hidden, not destroyed

        QCOMPARE(Play(), game);
        QCOMPARE(game->State().Games, 0);
        QCOMPARE(game->State().Points, 0);
        QCOMPARE(game->tmrRefresh().Interval(), 50);
    }

    void pauseStopsTheTimerWhileItsBoxIsOpen()
    {
        frmGame* game = Play();
        ModalBoxes boxes;
        bool stopped = false;
        boxes.WhileOpen = [&] { stopped = !game->tmrRefresh().Enabled(); };
        const GameState before = game->State();
        Type(game, 'p');
        QCOMPARE(boxes.Boxes.size(), 1);
        QCOMPARE(boxes.Boxes[0].Title, QString("Lame, do computers pause?"));
        QCOMPARE(boxes.Boxes[0].Text, QString("Aww...boohoo...fingers hurt?"));
        QCOMPARE(boxes.Boxes[0].Icon, QMessageBox::Question);
        QVERIFY(stopped);
        QVERIFY(game->tmrRefresh().Enabled());
        QCOMPARE(game->State().BallX, before.BallX);
        QVERIFY(game->isVisible());
    }

    void speedBox_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<int>("interval");
        QTest::newRow("50") << std::optional<QString>("50") << 50;
        QTest::newRow("cancel") << std::optional<QString>() << 1;
        QTest::newRow("&H10") << std::optional<QString>("&H10") << 16;
    }

    void speedBox()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(int, interval);
        frmGame* game = Play();
        ModalBoxes boxes;
        boxes.InputAnswers = {answer};
        bool runningDuringBox = false;
        boxes.WhileOpen = [&] { runningDuringBox = game->tmrRefresh().Enabled(); };
        Type(game, 's');
        QCOMPARE(boxes.Boxes.size(), 1);
        QCOMPARE(boxes.Boxes[0].Title, QString("Speed of game"));
        QCOMPARE(
            boxes.Boxes[0].Text,
            QString("Set speed of game (max = 200(for extremely high end computers), min = 1(normal)):"));
        QCOMPARE(boxes.Boxes[0].Position, game->screen()->geometry().topLeft() + QPoint(3, 3));
        QCOMPARE(game->tmrRefresh().Interval(), interval);
        QVERIFY(game->tmrRefresh().Enabled());
    }

    void upperCaseKeysDoNothing()
    {
        frmGame* game = Play();
        ModalBoxes boxes;
        for (char key : {'Q', 'P', 'S', 'x'})
            QTest::keyClick(game, key, key >= 'A' && key <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier);
        QTest::qWait(50);
        QVERIFY(boxes.Boxes.isEmpty());
        QVERIFY(game->isVisible());
        QVERIFY(game->tmrRefresh().Enabled());
        QCOMPARE(game->tmrRefresh().Interval(), 1);
    }

    void mouseMovesThePaddleAndClicksFire()
    {
        frmGame* game = Play();
        game->tmrRefresh().SetEnabled(false); // keep the ticks from moving the bullet
        QTest::mouseMove(game, QPoint(400, 10));
        QCOMPARE(game->State().PlayerY, 0);
        QTest::mouseMove(game, QPoint(400, 700));
        QCOMPARE(game->State().PlayerY, 525);
        QTest::mouseMove(game, QPoint(400, 138));
        QCOMPARE(game->State().PlayerY, 100);
        QTest::mouseClick(game, Qt::LeftButton, {}, QPoint(400, 138));
        QVERIFY(game->State().PlayerShotOn[0]);
        QCOMPARE(game->State().PlayerShotY[0], 137);
        QTest::mouseClick(game, Qt::RightButton, {}, QPoint(400, 138));
        QVERIFY(!game->State().PlayerShotOn[1]);
    }

    // The offscreen screen is 800 x 600, so the borders lie just beyond it; the frame's own
    // tests cover them.
    void ticksDrawTheArena()
    {
        frmGame* game = Play();
        QCOMPARE(game->Frame().Image().size(), game->screen()->geometry().size());
        QTest::mouseMove(game, QPoint(400, 338)); // paddle top at 300
        QTRY_COMPARE(game->Frame().Image().pixel(750, 0), qRgb(0, 0, 0));
        const QImage& frame = game->Frame().Image();
        QCOMPARE(frame.pixel(50, 599), qRgb(0, 0, 0));
        QCOMPARE(frame.pixel(790, 300), qRgb(0, 0, 0));
        QCOMPARE(frame.pixel(790, 374), qRgb(0, 0, 0));
        QCOMPARE(frame.pixel(790, 375), game->Frame().Background() | 0xFF000000u);
        QCOMPARE(frame.pixel(700, 0), game->Frame().Background() | 0xFF000000u);
    }

    // Ticks never come faster than 64 a second, however short the interval: at 1 ms a
    // missing limit would give hundreds in half a second.
    void tickRateIsLimited()
    {
        frmGame* game = Play();
        const Int16 startX = game->State().BallX;
        const Int16 step = game->State().BallDX;
        QTest::qWait(500);
        const int ticks = (game->State().BallX - startX) / step;
        QVERIFY2(ticks > 0 && ticks <= 40, qPrintable(QString::number(ticks)));
    }

    // Last: Quit ends the application's event loops.
    void enterOnTheMenuPressesQuit()
    {
        QSignalSpy quit(Menu()->cmdQuit, &QPushButton::clicked);
        QTest::keyClick(Menu()->cmdQuit, Qt::Key_Return);
        QCOMPARE(quit.count(), 1);
    }
};

QTEST_MAIN(TestGameScreen)
#include "tst_game_screen.moc"
