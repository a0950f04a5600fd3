// Catches an arena cut off or blurred on a scaled or small screen, a pointer mapped to the wrong row, a scale not followed.
#include "frmGame.h"
#include "frmMenu.h"
#include "ModalBoxes.h"
#include "ScreenModel.h"

#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

class TestScale : public QObject {
    Q_OBJECT

private slots:
    void arenaOnScreen_data()
    {
        QTest::addColumn<QList<int>>("paddleRows"); // for the pointer at the top, middle and bottom
        QTest::addColumn<qreal>("devicePerArena");
        // Each row's name is a screen's in tests/screens.json.
        QTest::newRow("1280 x 1024 at 100 %") << QList{0, 474, 525} << 1.0; // logical pixels, as ever
        QTest::newRow("1920 x 1080 at 200 %") << QList{0, 502, 525} << 1.0; // device pixels
        QTest::newRow("1024 x 768 at 200 %") << QList{0, 346, 525} << 1.0;
        QTest::newRow("1366 x 768 at 150 %") << QList{0, 346, 525} << 1.0;
        QTest::newRow("800 x 600 at 100 %") << QList{0, 264, 525} << 800 / 805.0; // shrunk
    }

    // On each screen the whole arena at the top-left, the borders' corner where the scale puts it and
    // only background beyond; the pointer's rows mapped back to the arena's.
    void arenaOnScreen()
    {
        QFETCH(QList<int>, paddleRows);
        QFETCH(qreal, devicePerArena);
        const auto named = [](const QString& name) {
            for (QScreen* screen : QGuiApplication::screens())
                if (screen->name() == name)
                    return screen;
            qFatal("no screen '%s': run with QT_QPA_PLATFORM=offscreen:configfile=tests/screens.json",
                   qPrintable(name));
        };
        QScreen* const screen = named(QTest::currentDataTag());
        const bool fits = screen->geometry().width() >= 805 && screen->geometry().height() >= 601;
        Screens::DestroyAll();
        Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
        Screens::Register(ScreenName::Game, [screen] {
            auto* game = new frmGame; // on the screen that shows it
            game->setScreen(screen);
            game->setGeometry(screen->geometry());
            return game;
        });
        Screens::Show(ScreenName::Menu);
        static_cast<frmMenu*>(Screens::Find(ScreenName::Menu))->cmdPlay->click();
        auto* game = static_cast<frmGame*>(Screens::Find(ScreenName::Game));
        ModalBoxes boxes; // a slow machine may let a rally end on its own
        const QSignalSpy ticks(&game->tmrRefresh(), &TickTimer::Ticked);
        QTRY_VERIFY(ticks.count() > 0); // a frame drawn, then still: the ball is far from both walls
        game->tmrRefresh().SetEnabled(false);

        QCOMPARE(game->Scale().DevicePixelsPerArenaPixel(), devicePerArena);
        QCOMPARE(game->Scale().Unscaled(), fits);
        const QImage shot = game->grab().toImage();
        const QColor background = game->palette().color(QPalette::Button);
        // Arena pixels at the borders' ends and corner, and on both walls, black in the device pixel
        // where the scale puts them, or in its neighbour where shrinking rounds the other way.
        const auto black = [&](int x, int y) {
            const QPoint at(int(x * devicePerArena), int(y * devicePerArena));
            return shot.pixelColor(at) == Qt::black || shot.pixelColor(at + QPoint(1, 1)) == Qt::black;
        };
        QVERIFY(black(800, 600) && black(800, 0) && black(0, 600) && black(50, 300) && black(750, 300));
        // Beyond the corner, right of the paddle, where the screen reaches so far.
        const QPoint beyond(int(807 * devicePerArena) + 1, int(602 * devicePerArena) + 1);
        QVERIFY(!shot.rect().contains(beyond) || shot.pixelColor(beyond) == background);
        QCOMPARE(shot.pixelColor(shot.width() - 1, shot.height() - 1), background);

        QList<int> rows;
        for (const int y : {0, screen->geometry().height() / 2, screen->geometry().height() - 1}) {
            QTest::mouseMove(game, QPoint(400, y));
            rows.append(game->State().PlayerY);
        }
        QCOMPARE(rows, paddleRows);

        // Moved to a screen of the other kind, the arena takes its scale at the next paint.
        game->setScreen(named(fits ? "1920 x 1080 at 200 %" : "1280 x 1024 at 100 %"));
        game->grab();
        QCOMPARE(game->Scale().Unscaled(), !fits);
    }
};

// Each screen of tests/screens.json at its desktop's scale, through Qt's own scaling, as a desktop scaled to 150 or
// 200 % has it: the offscreen platform's own pixel ratio reaches no window since Qt 6.6.
int main(int argc, char* argv[])
{
    qputenv("QT_SCREEN_SCALE_FACTORS",
            "1920 x 1080 at 200 %=2;1024 x 768 at 200 %=2;1366 x 768 at 150 %=1.5");
    QApplication app(argc, argv);
    TestScale test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_scale.moc"
