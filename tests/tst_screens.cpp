// Catches screens shown or gone out of turn, and boxes, ticks, captions or system-information lookups mishandled;
// an arena cut off or blurred on a scaled or small screen, a pointer mapped to the wrong row, a scale not followed.
#include "frmAbout.h"
#include "frmGame.h"
#include "frmMenu.h"
#include "frmRules.h"
#include "GetKeyValue.h"
#include "LinuxRegistry.h"
#include "ModalBoxes.h"
#include "ScreenModel.h"
#include "SysInfo.h"
#include "TimeOfDayRandom.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <stdexcept>

namespace {

using Strings = std::vector<std::string>;
const std::string ZeroLength = "a value reported with a length of 0", Tool = "/opt/MSINFO32.EXE";

struct Lookup {
    const char* Name;
    std::string First = {}, Folder = {}; // the two values; none when empty
    std::uint32_t Type = REG_SZ;         // the first value's
    bool Throws = false;                 // starting throws
    Strings Tried = {};                  // the programs the launcher tried to start
    bool Started = false;
};

// Key 1 holds the first value and key 2 the folder, each answering as the Windows calls do.
struct FakeRegistry : Registry {
    explicit FakeRegistry(const Lookup& lookup) : Row(lookup) {}
    const std::string& Value(Handle key) const { return key == 1 ? Row.First : Row.Folder; }
    std::int32_t OpenKey(std::int32_t, const std::string& name, std::uint32_t, Handle& key) override
    {
        key = Value(name == MsInfoKey ? 1 : 2).empty() ? 0 : name == MsInfoKey ? 1 : 2;
        Given.push_back(key);
        return key ? ErrorSuccess : ErrorFileNotFound;
    }
    std::int32_t QueryValue(Handle key, const std::string& name, std::uint32_t& type, char* data,
                            std::uint32_t& size) override
    {
        if (name != (key == 1 ? MsInfoValue : LocationValue))
            return ErrorFileNotFound;
        if (Value(key).size() > size)
            return ErrorMoreData;
        type = key == 1 ? Row.Type : REG_SZ;
        std::copy(Value(key).begin(), Value(key).end(), data);
        size = Value(key) == ZeroLength ? 0 : std::uint32_t(Value(key).size());
        return ErrorSuccess;
    }
    std::int32_t CloseKey(Handle key) override { return Closed.push_back(key), ErrorSuccess; }

    const Lookup& Row;
    std::vector<Handle> Given, Closed; // 0 where the open failed
};

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

    frmMenu* Menu() { return static_cast<frmMenu*>(Screens::Find(ScreenName::Menu)); }
    template <class Form> Form* Open(QPushButton* button, const QString& name)
    {
        QTest::keyClick(button, Qt::Key_Return); // a menu button takes Return as a click
        return static_cast<Form*>(Screens::Find(name));
    }

private slots:
    void init()
    {
        Screens::DestroyAll();
        Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
        Screens::Register(ScreenName::Game, [] { return new frmGame; });
        Screens::Register(ScreenName::About, [] { return new frmAbout; });
        Screens::Register(ScreenName::Rules, [] { return new frmRules; });
        Screens::Show(ScreenName::Menu);
    }

    // The Back caption takes the largest type that fits its box, to the half point.
    void captionType()
    {
        const QFont font(QApplication::font().family(), 20);
        const QSize needed =
            QFontMetrics(font).boundingRect(QRect(0, 0, 999, 999), Qt::TextWordWrap, "Back").size();
        QCOMPARE(FittingFont(font, QRect({}, needed), "Back").pointSizeF(), 20);
        QCOMPARE(FittingFont(font, QRect({}, needed - QSize(1, 0)), "Back").pointSizeF(), 19.5);
        QCOMPARE(FittingFont(font, QRect({}, needed - QSize(0, 1)), "Back").pointSizeF(), 19.5);
        QCOMPARE(FittingFont(font, QRect(0, 0, 1, 1), "Back").pointSizeF(), 6);
    }

    // The version the program was started with, our picture's top-left part, unscaled; Escape, Return on OK,
    // or the close control (named by Key_unknown here), brings the menu back.
    void aboutScreen()
    {
        QCoreApplication::setApplicationVersion("01.002.0003.4");
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_unknown}) {
            frmAbout* about = Open<frmAbout>(Menu()->cmdAbout, ScreenName::About);
            QCOMPARE(about->lblVersion->text(), "Version 1.2.3");
            const QRect shown = about->picIcon->contentsRect();
            QCOMPARE(about->picIcon->pixmap().toImage(),
                     QImage(":/QUILLON").copy(shown.translated(-shown.topLeft())));
            if (key == Qt::Key_unknown)
                QVERIFY(about->close());
            else
                QTest::keyClick(about->cmdOK, key); // OK has the focus
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(Menu()->isVisible() && Screens::Active() == Menu() && !Screens::Find(ScreenName::About),
                     qPrintable(QKeySequence(key).toString()));
        }
    }

    // The menu and the rules screen refuse the window's close control, as the game does: Back and Quit
    // leave them, and Return presses Back.
    void rulesScreen()
    {
        auto* rules = Open<frmRules>(Menu()->cmdRules, ScreenName::Rules);
        QVERIFY(!rules->close() && rules->isVisible() && !Menu()->close());
        QTest::keyClick(rules->cmdBack, Qt::Key_Return); // Return presses the button that has the focus
        QVERIFY(Menu()->isVisible() && Screens::Active() == Menu() && rules->isHidden());
    }

    // Only Tool and "C:\a" start. Whatever goes wrong, the one plain box, and nothing else; every key
    // opened is closed once, and a failed open closes 0.
    void startSysInfo()
    {
        using namespace std::string_literals;
        const std::string k1023(1023, 'k');
        const Lookup rows[] = {
            {.Name = "first value, unchecked",
             .First = "C:\\a\0"s,
             .Folder = "/opt",
             .Tried = {"C:\\a"},
             .Started = true},
            {.Name = "empty string", .First = "\0"s, .Tried = {""}},
            {.Name = "the whole buffer, its zero last", .First = k1023 + '\0', .Tried = {k1023}},
            {.Name = "a byte over the buffer",
             .First = k1023 + "kk",
             .Folder = "/opt",
             .Tried = {Tool},
             .Started = true},
            {.Name = "length 0 ends it", .First = ZeroLength, .Folder = "/opt"},
            {.Name = "double word", .First = "\xFF\x10\x02\x01"s, .Type = REG_DWORD, .Tried = {"&h1210FF"}},
            {.Name = "dword, top 0", .First = "\x0A\x00\x01\x00"s, .Type = REG_DWORD, .Tried = {"&h10A"}},
            {.Name = "another type", .First = "abc", .Type = 3, .Tried = {""}},
            {.Name = "folder with the file", .Folder = "/opt\0"s, .Tried = {Tool}, .Started = true},
            {.Name = "folder without it", .Folder = "/usr"},
            {.Name = "start throws", .Folder = "/opt", .Throws = true, .Tried = {Tool}},
            {.Name = "neither"},
        };
        for (const auto& row : rows) {
            FakeRegistry registry(row);
            Strings tried, boxes;
            const auto start = [&](const std::string& name) {
                tried.push_back(name);
                return row.Throws ? throw std::runtime_error("cannot start")
                                  : name == Tool || name == "C:\\a";
            };
            const auto show = [&](const std::string& prompt, int style, const std::string& title) {
                boxes.push_back(prompt + "|" + std::to_string(style) + "|" + title);
            };
            const auto exists = [](const std::string& path) { return path == Tool; };
            StartSysInfo(registry, start, exists, show);
            QVERIFY2(tried == row.Tried && registry.Closed == registry.Given, row.Name);
            const Strings box{"System Information Is Unavailable At This Time|0|"};
            QVERIFY2(boxes == (row.Started ? Strings{} : box), row.Name);
        }
    }

    // On this desktop the program's value names a system-information tool found on PATH, whatever the case of
    // the names asked for, stored with its terminating zero: a buffer a byte too small is told the size it
    // needs, and one of that size takes it. The folder's key does not exist.
    void linuxRegistry()
    {
        const QTemporaryDir bin;
        QFile tool(bin.filePath("kinfocenter"));
        QVERIFY(tool.open(QIODevice::WriteOnly) && tool.setPermissions(QFile::ExeOwner | QFile::ReadOwner));
        const auto restorePath = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
        qputenv("PATH", QFile::encodeName(bin.path()));
        LinuxRegistry registry;
        Registry::Handle key = 0, folderKey = 0;
        QCOMPARE(registry.OpenKey(HKEY_LOCAL_MACHINE, LocationKey, 0, folderKey), ErrorFileNotFound);
        QCOMPARE(registry.OpenKey(HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo", 0, key),
                 ErrorSuccess);
        const std::string value = tool.fileName().toStdString() + '\0';
        std::string data(value.size(), 'x');
        std::uint32_t type = 0, size = std::uint32_t(value.size() - 1);
        QCOMPARE(registry.QueryValue(key, "path", type, data.data(), size), ErrorMoreData);
        QCOMPARE(size, std::uint32_t(value.size()));
        QCOMPARE(registry.QueryValue(key, "path", type, data.data(), size), ErrorSuccess);
        QVERIFY(type == REG_SZ && data == value && size == value.size());
    }

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
    // On each screen the whole arena at the top-left, the borders' corner where the scale puts it and only
    // background beyond; the pointer's rows mapped back to the arena's.
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
        Screens::Register(ScreenName::Game, [screen] {
            auto* game = new frmGame; // on the screen that shows it
            game->setScreen(screen);
            game->setGeometry(screen->geometry());
            return game;
        });
        frmGame* game = Open<frmGame>(Menu()->cmdPlay, ScreenName::Game);
        ModalBoxes boxes; // a slow machine may let a rally end on its own
        const QSignalSpy ticks(&game->tmrRefresh(), &TickTimer::Ticked);
        QTRY_VERIFY(ticks.count() > 0); // a frame drawn, then still: the ball is far from both walls
        game->tmrRefresh().SetEnabled(false);

        QCOMPARE(game->Scale().DevicePixelsPerArenaPixel(), devicePerArena);
        QCOMPARE(game->Scale().Unscaled(), fits);
        const QImage shot = game->grab().toImage();
        const QColor background = game->palette().color(QPalette::Button);
        // Arena pixels at the borders' ends and corner, and on both walls, black in the device pixel where the
        // scale puts them, or in its neighbour where shrinking rounds the other way.
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

    // The serve's draws cover [0, 1), never 1: the rules serve to the right or downwards only below 0.25.
    void serveDraws()
    {
        TimeOfDayRandom random;
        random.Seed(2024);
        std::vector<double> draws(1000);
        std::generate(draws.begin(), draws.end(), [&] { return random.Next(); });
        const auto [lowest, highest] = std::minmax_element(draws.begin(), draws.end());
        QVERIFY2(*lowest >= 0 && *lowest < 0.01 && *highest > 0.99 && *highest < 1,
                 qPrintable(QString::number(*highest)));
    }

    // What the game screen adds to the rules: the left button fires, a tick rate of no more than 64 a second at
    // 1 ms, the frame drawn from our sprites, the boxes' icons, the timer that the rules stop and start, and the
    // speed answered kept for the next Play of the same game.
    void gameScreen()
    {
        frmGame* game = Open<frmGame>(Menu()->cmdPlay, ScreenName::Game);
        ModalBoxes boxes; // from now: a slow machine may let a rally end on its own
        const QSignalSpy ticks(&game->tmrRefresh(), &TickTimer::Ticked);
        const auto started = std::chrono::steady_clock::now();
        QTest::mouseClick(game, Qt::RightButton);
        const bool firedOnRight = game->State().PlayerShotOn[0];
        QTest::mouseClick(game, Qt::LeftButton);
        QVERIFY(Screens::Active() == game && !firedOnRight && game->State().PlayerShotOn[0]
                && !game->close());
        QTest::qWait(500); // too short for the ball to reach a wall, but the wait may last longer
        const auto most = (std::chrono::steady_clock::now() - started) * 64 / std::chrono::seconds(1) + 3;
        QVERIFY2(ticks.count() > 0 && ticks.count() <= most, qPrintable(QString::number(ticks.count())));
        QCOMPARE(game->Frame().Image().pixel(790, 330), qRgb(0, 0, 0));
        QCOMPARE(game->Frame().Image().pixel(780, 300), game->palette().color(QPalette::Button).rgb());
        const qsizetype earlier = boxes.Icons.size();
        game->State().BallX = 900, game->State().BallY = 500, game->State().PlayerY = 0; // a rally lost
        QTRY_COMPARE_WITH_TIMEOUT(boxes.Icons.mid(earlier),
                                  (QList{QMessageBox::Warning, QMessageBox::Information}),
                                  30000); // a loaded machine may take long to tick
        boxes.InputAnswers = {"50"};
        for (char key : {'p', 's', 'q'})
            QTest::keyClick(game, key);
        QCOMPARE(boxes.Icons.mid(earlier + 2),
                 (QList{QMessageBox::Question, QMessageBox::NoIcon, QMessageBox::Warning}));
        QVERIFY(Menu()->isVisible() && !game->tmrRefresh().Enabled());
        QCOMPARE(Open<frmGame>(Menu()->cmdPlay, ScreenName::Game), game);
        QVERIFY(game->tmrRefresh().Enabled() && game->tmrRefresh().Interval() == 50);
    }
};

// The screens of tests/screens.json at their desktops' scales, through Qt's own scaling, as a desktop scaled to 150
// or 200 % has it: the offscreen platform's own pixel ratio reaches no window since Qt 6.6. The first screen, where
// every window opens unless a test moves it, fits the arena unscaled, as a desktop's usually does.
int main(int argc, char* argv[])
{
    qputenv("QT_SCREEN_SCALE_FACTORS",
            "1920 x 1080 at 200 %=2;1024 x 768 at 200 %=2;1366 x 768 at 150 %=1.5");
    QApplication app(argc, argv);
    TestScreens test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_screens.moc"
