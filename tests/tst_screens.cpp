// The rules and about screens as a player meets them from the menu: their texts and layout,
// the ways back, close requests, keys, and the System Info button with the desktop's own
// registry stand-in.
#include "ModalBoxes.h"
#include "ScreenModel.h"
#include "frmAbout.h"
#include "frmMenu.h"
#include "frmRules.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ExpectedRules = QStringLiteral(
    "The objective of the game is to win (obviously).\r\n"
    "The ways you can win are by having the ball hit the area beyond the enemy wall, or shooting the enemy "
    "paddle with a bullet.\r\n"
    "The walls protect the paddles from the opponent's bullets and prevents the ball from going into the "
    "paddle's area. If the ball hits the wall, the section that is hit is destroyed and the ball bounces "
    "slower (unless the ball is already moving at the slowest speed) into the opposite direction.\r\n"
    "You can click to shoot a bullet (maximum 3 per screen) and these bullets bounce the ball back into the "
    "opposite direction. If a bullet is going in the same direction as the ball, and the two hit each other, "
    "the ball goes faster in the same direction. You or the enemy must now shoot the ball to slow it down, "
    "then shoot it again to go in the opposite direction.  The bullet is fired out the middle of the "
    "paddle.\r\n"
    "Press ''q'' to quit the game, ''p'' to pause and ''s'' to change the speed of the game.\r\n"
    "Music is also available in game.  ");

bool IsFixedDialog(QWidget* w)
{
    const Qt::WindowFlags flags = w->windowFlags();
    return w->minimumSize() == w->maximumSize() && !(flags & Qt::WindowMinimizeButtonHint)
        && !(flags & Qt::WindowMaximizeButtonHint) && (flags & Qt::WindowCloseButtonHint);
}

// Points PATH at a folder of our own while it lives.
class PathFolder {
public:
    PathFolder() : OldPath(qgetenv("PATH")) { qputenv("PATH", Folder.path().toLocal8Bit()); }
    ~PathFolder() { qputenv("PATH", OldPath); }
    PathFolder(const PathFolder&) = delete;
    PathFolder& operator=(const PathFolder&) = delete;

    QString FilePath(const QString& name) const { return Folder.filePath(name); }

private:
    QTemporaryDir Folder;
    QByteArray OldPath;
};

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

    frmMenu* Menu() { return static_cast<frmMenu*>(Screens::Find(ScreenName::Menu)); }
    frmRules* Rules() { return static_cast<frmRules*>(Screens::Find(ScreenName::Rules)); }
    frmAbout* About() { return static_cast<frmAbout*>(Screens::Find(ScreenName::About)); }

    frmRules* OpenRules()
    {
        Menu()->cmdRules->click();
        return Rules();
    }

    frmAbout* OpenAbout()
    {
        Menu()->cmdAbout->click();
        return About();
    }

    // The about screen is gone for good once its deferred deletion has run.
    static bool Destroyed(const QPointer<frmAbout>& about)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return about.isNull();
    }

    bool BackAtTheMenu() { return Menu()->isVisible() && Screens::Active() == Menu(); }

private slots:
    void init()
    {
        QCoreApplication::setApplicationVersion({});
        Screens::Reset();
        Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
        Screens::Register(ScreenName::Rules, [] { return new frmRules; });
        Screens::Register(ScreenName::About, [] { return new frmAbout; });
        Screens::Show(ScreenName::Menu);
    }

    void rulesTextToTheByte()
    {
        frmRules* rules = OpenRules();
        QVERIFY(rules && rules->isVisible());
        QVERIFY(!Menu()->isVisible());
        QCOMPARE(Screens::Active(), rules);

        const QString text = rules->lblRules->text();
        QCOMPARE(text, ExpectedRules);
        const QStringList paragraphs = text.split(QStringLiteral("\r\n"));
        QCOMPARE(paragraphs.size(), 6);
        for (const QString& paragraph : paragraphs)
            QVERIFY(!paragraph.isEmpty() && !paragraph.contains('\r') && !paragraph.contains('\n'));
        QVERIFY(text.endsWith(QStringLiteral("game.  ")));
    }

    void rulesLayout()
    {
        frmRules* rules = OpenRules();
        QCOMPARE(rules->windowTitle(), QString("=>Rules<="));
        QCOMPARE(rules->size(), QSize(425, 367));
        QVERIFY(IsFixedDialog(rules));
        QCOMPARE(rules->lblRules->geometry(), QRect(7, 7, 401, 314));
        QVERIFY(rules->lblRules->wordWrap());
        QCOMPARE(rules->lblRules->focusPolicy(), Qt::NoFocus);
        QCOMPARE(rules->cmdBack->text(), QString("Back to Main Menu"));
        QCOMPARE(rules->cmdBack->geometry(), QRect(340, 327, 67, 34));
        QCOMPARE(rules->focusWidget(), rules->cmdBack);
        QVERIFY(!rules->cmdBack->isDefault());
        // Centred on its screen, give or take the frame's width.
        const QPoint offCentre = rules->frameGeometry().center() - rules->screen()->availableGeometry().center();
        QVERIFY(std::abs(offCentre.x()) <= 2 && std::abs(offCentre.y()) <= 2);
    }

    void rulesRepeatedOpeningsShowTheSameText()
    {
        frmRules* first = OpenRules();
        for (int opening = 2; opening <= 4; ++opening) {
            // Whatever the label holds, the next opening sets the rules afresh.
            first->lblRules->setText(first->lblRules->text() + "extra");
            first->cmdBack->click();
            QVERIFY(BackAtTheMenu());
            QVERIFY(!first->isVisible());
            QCOMPARE(OpenRules(), first);
            QCOMPARE(first->lblRules->text(), ExpectedRules);
        }
    }

    void rulesRefuseEveryCloseRequest()
    {
        frmRules* rules = OpenRules();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!rules->close());
        QVERIFY(rules->isVisible());
        QCOMPARE(Rules(), rules);
        QCOMPARE(rules->lblRules->text(), ExpectedRules);

        // Back asks for the screen to go as well: it stays built, only hidden.
        rules->cmdBack->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Rules(), rules);
        QVERIFY(!rules->isVisible());
        QVERIFY(BackAtTheMenu());
    }

    void rulesKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("goesBack");
        QTest::newRow("Escape does nothing") << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter presses Back") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter presses Back") << int(Qt::Key_Enter) << true;
        QTest::newRow("Space presses Back") << int(Qt::Key_Space) << true;
    }

    void rulesKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, goesBack);
        frmRules* rules = OpenRules();
        QTest::keyClick(rules->focusWidget(), Qt::Key(key));
        QCOMPARE(rules->isVisible(), !goesBack);
        QCOMPARE(Menu()->isVisible(), goesBack);
    }

    void aboutLayout()
    {
        frmAbout* about = OpenAbout();
        QVERIFY(about && about->isVisible());
        QVERIFY(!Menu()->isVisible());
        QCOMPARE(about->windowTitle(), QString("About Vantrel"));
        QCOMPARE(about->geometry(), QRect(156, 129, 382, 237));
        QVERIFY(IsFixedDialog(about));

        QCOMPARE(about->picIcon->geometry(), QRect(16, 16, 94, 103));
        QCOMPARE(about->lblTitle->geometry(), QRect(117, 16, 259, 32));
        QCOMPARE(about->lblVersion->geometry(), QRect(117, 52, 259, 15));
        QCOMPARE(about->lblDescription->geometry(), QRect(117, 75, 259, 78));
        QCOMPARE(about->lblDisclaimer->geometry(), QRect(17, 175, 258, 55));
        QCOMPARE(about->cmdOK->geometry(), QRect(283, 175, 84, 23));
        QCOMPARE(about->cmdSysInfo->geometry(), QRect(284, 205, 83, 23));

        QCOMPARE(about->lblTitle->text(), QString("Vantrel"));
        QCOMPARE(about->lblDescription->text(), QString("Game by Quillon in shining white armour"));
        QCOMPARE(about->lblDisclaimer->text(), QString("Warning: I own you"));
        QCOMPARE(about->cmdOK->text(), QString("OK"));
        QCOMPARE(about->cmdSysInfo->text(), QString("&System Info..."));
        for (QLabel* black : {about->lblTitle, about->lblDescription, about->lblDisclaimer})
            QCOMPARE(black->palette().color(QPalette::WindowText), QColor(Qt::black));

        // The picture stays inside its box, clear of the labels beside it.
        const QPixmap picture = about->picIcon->pixmap();
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() <= about->picIcon->contentsRect().width());
        QVERIFY(picture.height() <= about->picIcon->contentsRect().height());

        // OK has the focus first; the tab order runs OK, the picture, System Info.
        QVERIFY(about->cmdOK->isDefault());
        QCOMPARE(about->focusWidget(), about->cmdOK);
        QCOMPARE(about->cmdOK->nextInFocusChain(), about->picIcon);
        QCOMPARE(about->picIcon->nextInFocusChain(), about->cmdSysInfo);
    }

    void aboutEtchedSeparator()
    {
        // A grey row with a white one under it, the white starting a pixel further right.
        const QImage shot = OpenAbout()->grab().toImage();
        const QColor grey(128, 128, 128);
        const QColor white(Qt::white);
        QVERIFY(shot.pixelColor(5, 163) != grey && shot.pixelColor(200, 162) != grey);
        QVERIFY(shot.pixelColor(6, 163) == grey && shot.pixelColor(377, 163) == grey);
        QVERIFY(shot.pixelColor(6, 164) != white && shot.pixelColor(200, 165) != white);
        QVERIFY(shot.pixelColor(7, 164) == white && shot.pixelColor(377, 164) == white);
    }

    void aboutVersionLine_data()
    {
        QTest::addColumn<QString>("appVersion");
        QTest::addColumn<QString>("line");
        QTest::newRow("built in") << QString() << QStringLiteral("Version " VANTREL_VERSION);
        QTest::newRow("the program's own") << "1.0.0" << "Version 1.0.0";
        QTest::newRow("numbers of two digits") << "2.10.13" << "Version 2.10.13";
        QTest::newRow("leading zeros dropped") << "01.002.0003" << "Version 1.2.3";
        QTest::newRow("four parts") << "1.0.0.0" << "Version 1.0.0";
        QTest::newRow("major only") << "3" << "Version 3.0.0";
    }

    void aboutVersionLine()
    {
        QFETCH(QString, appVersion);
        QFETCH(QString, line);
        QCoreApplication::setApplicationVersion(appVersion);
        QCOMPARE(OpenAbout()->lblVersion->text(), line);
    }

    // OK and the window's close control both go back to the menu and destroy the screen;
    // the next opening builds it again, with the same texts.
    void aboutIsBuiltAnewAtEachOpening()
    {
        for (bool byCloseControl : {false, true, false}) {
            QPointer<frmAbout> about = OpenAbout();
            QVERIFY(about && about->isVisible());
            QCOMPARE(about->windowTitle(), QString("About Vantrel"));
            QCOMPARE(about->lblTitle->text(), QString("Vantrel"));
            QCOMPARE(about->lblVersion->text(), QStringLiteral("Version " VANTREL_VERSION));
            QVERIFY(!about->picIcon->pixmap().isNull());
            if (byCloseControl)
                QVERIFY(about->close());
            else
                about->cmdOK->click();
            QVERIFY(BackAtTheMenu());
            QCOMPARE(About(), nullptr);
            QVERIFY(Destroyed(about));
        }
    }

    void aboutKeysPressOK_data()
    {
        QTest::addColumn<int>("focused"); // in the tab order: 0 OK, 1 the picture, 2 System Info
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on OK") << 0 << int(Qt::Key_Return);
        QTest::newRow("Space on OK") << 0 << int(Qt::Key_Space);
        QTest::newRow("Enter on the picture") << 1 << int(Qt::Key_Return);
        QTest::newRow("Escape on System Info") << 2 << int(Qt::Key_Escape);
    }

    void aboutKeysPressOK()
    {
        QFETCH(int, focused);
        QFETCH(int, key);
        QPointer<frmAbout> about = OpenAbout();
        const QList<QWidget*> tabOrder{about->cmdOK, about->picIcon, about->cmdSysInfo};
        QTest::keyClick(tabOrder[focused], Qt::Key(key));
        QVERIFY(BackAtTheMenu());
        QVERIFY(Destroyed(about));
    }

    // Nothing on PATH: Alt+S and then a click each show the one box, and the screen stays.
    void sysInfoUnavailableEachTime()
    {
        PathFolder empty;
        frmAbout* about = OpenAbout();
        QVERIFY(QTest::qWaitForWindowActive(about));
        ModalBoxes boxes;
        // Through the window, as the system delivers keys, so that shortcuts are looked up. The
        // access key presses its button a moment later.
        QTest::keyClick(about->windowHandle(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(boxes.Boxes.size(), 1);
        about->cmdSysInfo->click();
        QCOMPARE(boxes.Boxes.size(), 2);
        for (const ModalBoxes::Seen& box : boxes.Boxes) {
            QCOMPARE(box.Text, QString("System Information Is Unavailable At This Time"));
            QCOMPARE(box.Title, QString("Vantrel"));
            QCOMPARE(box.Icon, QMessageBox::NoIcon);
        }
        QCOMPARE(About(), about);
        QVERIFY(about->isVisible());
    }

    void sysInfoStartsTheToolFoundOnPath()
    {
        PathFolder bin;
        // A stand-in tool that leaves a mark beside itself when it runs.
        const QString toolPath = bin.FilePath("kinfocenter");
        QFile tool(toolPath);
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\necho started > \"$0.ran\"\n");
        tool.close();
        QVERIFY(tool.setPermissions(tool.permissions() | QFile::ExeOwner));

        frmAbout* about = OpenAbout();
        ModalBoxes boxes;
        about->cmdSysInfo->click();
        QTRY_VERIFY(QFile::exists(toolPath + ".ran"));
        QVERIFY(boxes.Boxes.isEmpty());
        QVERIFY(about->isVisible());
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
