#include "frmAbout.h"
#include "frmGame.h"
#include "frmMenu.h"
#include "frmRules.h"
#include "ScreenModel.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vantrel.Vantrel"));
    // Hidden screens stay alive and only Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
    Screens::Register(ScreenName::Game, [] { return new frmGame; });
    Screens::Register(ScreenName::Rules, [] { return new frmRules; });
    Screens::Register(ScreenName::About, [] { return new frmAbout; });

    Screens::Show(ScreenName::Menu);
    const int status = QApplication::exec();
    Screens::DestroyAll();
    return status;
}
