// The rules and about screens as a player meets them from the menu: their texts and layout,
// the ways back, close requests, keys, and the System Info button with the desktop's own
// registry stand-in.
#include "frmAbout.h"
#include "frmMenu.h"
#include "frmRules.h"
#include "ModalBoxes.h"
#include "ScreenModel.h"

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

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

    const QByteArray OriginalPath = qgetenv("PATH");
    QTemporaryDir Bin; // the only folder on PATH, empty but while a test puts a tool there

    frmMenu* Menu() { return static_cast<frmMenu*>(Screens::Find(ScreenName::Menu)); }

    frmAbout* OpenAbout()
    {
        Menu()->cmdAbout->click();
        return static_cast<frmAbout*>(Screens::Find(ScreenName::About));
    }

    bool BackAtTheMenu() { return Menu()->isVisible() && Screens::Active() == Menu(); }

private slots:
    void init()
    {
        QCoreApplication::setApplicationVersion({});
        Screens::DestroyAll();
        Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
        Screens::Register(ScreenName::Rules, [] { return new frmRules; });
        Screens::Register(ScreenName::About, [] { return new frmAbout; });
        Screens::Show(ScreenName::Menu);
        qputenv("PATH", Bin.path().toLocal8Bit());
    }
    void cleanup() { qputenv("PATH", OriginalPath); }

    // The same screen at every opening, the text set afresh to the byte whatever the label
    // held. It refuses to close and ignores Escape; Back, by click, Enter or Space, only hides
    // it and brings the menu back.
    void rulesScreen()
    {
        Menu()->cmdRules->click();
        const QPointer<frmRules> rules = static_cast<frmRules*>(Screens::Find(ScreenName::Rules));
        QCOMPARE(rules->windowTitle(), QString("=>Rules<="));
        QCOMPARE(rules->size(), QSize(425, 367));
        QVERIFY(IsFixedDialog(rules));
        QCOMPARE(rules->lblRules->geometry(), QRect(7, 7, 401, 314));
        QVERIFY(rules->lblRules->wordWrap() && rules->lblRules->focusPolicy() == Qt::NoFocus);
        QCOMPARE(rules->cmdBack->text(), QString("Back to Main Menu"));
        QCOMPARE(rules->cmdBack->geometry(), QRect(340, 327, 67, 34));
        QVERIFY(rules->focusWidget() == rules->cmdBack && !rules->cmdBack->isDefault());
        // Centred on its screen, give or take the frame's width.
        const QPoint offCentre =
            rules->frameGeometry().center() - rules->screen()->availableGeometry().center();
        QVERIFY(std::abs(offCentre.x()) <= 2 && std::abs(offCentre.y()) <= 2);
        for (int key : {0, int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space)}) {
            QVERIFY(rules->isVisible() && !Menu()->isVisible() && Screens::Active() == rules);
            QCOMPARE(rules->lblRules->text(), ExpectedRules);
            QCOMPARE(rules->lblRules->text().split(QStringLiteral("\r\n")).size(), 6);
            rules->lblRules->setText("extra");
            QVERIFY(!rules->close());
            QTest::keyClick(rules->cmdBack, Qt::Key_Escape);
            QVERIFY(rules->isVisible() && !Menu()->isVisible());
            if (key)
                QTest::keyClick(rules->cmdBack, Qt::Key(key));
            else
                rules->cmdBack->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(rules && !rules->isVisible() && BackAtTheMenu());
            Menu()->cmdRules->click();
            QCOMPARE(Screens::Find(ScreenName::Rules), rules);
        }
    }

    void aboutLayout()
    {
        frmAbout* about = OpenAbout();
        QVERIFY(about && about->isVisible() && !Menu()->isVisible());
        QCOMPARE(about->windowTitle(), QString("About Vantrel"));
        QCOMPARE(about->geometry(), QRect(156, 129, 382, 237));
        QVERIFY(IsFixedDialog(about));
        const std::tuple<QWidget*, QRect, QString> controls[] = {
            {about->picIcon, {16, 16, 94, 103}, ""},
            {about->lblTitle, {117, 16, 259, 32}, "Vantrel"},
            {about->lblVersion, {117, 52, 259, 15}, "Version " VANTREL_VERSION},
            {about->lblDescription, {117, 75, 259, 78}, "Game by Quillon in shining white armour"},
            {about->lblDisclaimer, {17, 175, 258, 55}, "Warning: I own you"},
            {about->cmdOK, {283, 175, 84, 23}, "OK"},
            {about->cmdSysInfo, {284, 205, 83, 23}, "&System Info..."}};
        for (const auto& [control, box, text] : controls) {
            QCOMPARE(control->geometry(), box);
            QCOMPARE(control->property("text").toString(), text);
        }
        for (QLabel* black : {about->lblTitle, about->lblDescription, about->lblDisclaimer})
            QCOMPARE(black->palette().color(QPalette::WindowText), QColor(Qt::black));
        // The box shows the picture's top-left part, unscaled, and stays clear of the labels.
        const QImage part = QImage(":/QUILLON").copy(0, 0, 90, 99);
        QCOMPARE(about->picIcon->pixmap().toImage().convertToFormat(part.format()), part);
        // OK has the focus first; the tab order runs OK, the picture, System Info.
        QVERIFY(about->cmdOK->isDefault());
        QCOMPARE(about->focusWidget(), about->cmdOK);
        QCOMPARE(about->cmdOK->nextInFocusChain(), about->picIcon);
        QCOMPARE(about->picIcon->nextInFocusChain(), about->cmdSysInfo);
        // The etched separator: a grey row with two white ones under it, the white starting a
        // pixel further right.
        const QImage shot = about->grab().toImage();
        const QColor grey(128, 128, 128), white(Qt::white);
        QVERIFY(shot.pixelColor(5, 163) != grey && shot.pixelColor(200, 162) != grey);
        QVERIFY(shot.pixelColor(6, 163) == grey && shot.pixelColor(377, 163) == grey);
        for (int row : {164, 165}) // two white rows
            QVERIFY(shot.pixelColor(6, row) != white && shot.pixelColor(7, row) == white
                    && shot.pixelColor(377, row) == white && shot.pixelColor(200, 166) != white);
    }

    void aboutLeaves_data()
    {
        QTest::addColumn<int>("focused"); // in the tab order: 0 OK, 1 the picture, 2 System Info
        QTest::addColumn<int>("key");     // 0: OK clicked, or the close control when nothing has the focus
        QTest::addColumn<QString>("appVersion"); // as the program was started with; none: as built
        QTest::addColumn<QString>("line");
        QTest::newRow("OK clicked") << 0 << 0 << QString() << QStringLiteral("Version " VANTREL_VERSION);
        QTest::newRow("the close control") << -1 << 0 << "2.10.13"
                                           << "Version 2.10.13";
        QTest::newRow("Enter on OK") << 0 << int(Qt::Key_Return) << "01.002.0003"
                                     << "Version 1.2.3";
        QTest::newRow("Space on OK") << 0 << int(Qt::Key_Space) << "1.0.0.0"
                                     << "Version 1.0.0";
        QTest::newRow("Enter on the picture") << 1 << int(Qt::Key_Return) << "3"
                                              << "Version 3.0.0";
        QTest::newRow("Escape on System Info") << 2 << int(Qt::Key_Escape) << "1.0.0"
                                               << "Version 1.0.0";
    }
    // Every way out goes back to the menu and destroys the screen; the next opening builds it
    // again, with the same texts.
    void aboutLeaves()
    {
        QFETCH(int, focused);
        QFETCH(int, key);
        QFETCH(QString, appVersion);
        QFETCH(QString, line);
        QCoreApplication::setApplicationVersion(appVersion);
        for (int opening = 0; opening < 2; ++opening) {
            QPointer<frmAbout> about = OpenAbout();
            QVERIFY(about && about->isVisible());
            QCOMPARE(about->lblTitle->text(), QString("Vantrel"));
            QCOMPARE(about->lblVersion->text(), line);
            QVERIFY(!about->picIcon->pixmap().isNull());
            const QList<QWidget*> tabOrder{about->cmdOK, about->picIcon, about->cmdSysInfo};
            if (focused < 0)
                QVERIFY(about->close());
            else if (key == 0)
                about->cmdOK->click();
            else
                QTest::keyClick(tabOrder[focused], Qt::Key(key));
            QVERIFY(BackAtTheMenu());
            QCOMPARE(Screens::Find(ScreenName::About), nullptr);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(about.isNull());
        }
    }

    // Nothing on PATH: Alt+S and then a click each show the one box, and the screen stays. With
    // a tool on PATH (a stand-in that leaves a mark beside itself) a click starts it.
    void sysInfo()
    {
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
        QVERIFY(Screens::Find(ScreenName::About) == about && about->isVisible());

        QFile tool(Bin.filePath("kinfocenter"));
        QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\necho started > \"$0.ran\"\n") > 0);
        tool.close();
        QVERIFY(tool.setPermissions(tool.permissions() | QFile::ExeOwner));
        about->cmdSysInfo->click();
        QTRY_VERIFY(QFile::exists(tool.fileName() + ".ran"));
        QVERIFY(tool.remove() && QFile::remove(tool.fileName() + ".ran"));
        QVERIFY(boxes.Boxes.size() == 2 && about->isVisible());
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
