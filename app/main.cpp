#include "ScreenModel.h"
#include "frmGame.h"
#include "frmMenu.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    // Hidden screens stay alive and only Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    Screens::Register(ScreenName::Menu, [] { return new frmMenu; });
    Screens::Register(ScreenName::Game, [] { return new frmGame; });

    Screens::Show(ScreenName::Menu);
    return QApplication::exec();
}
