#include "CommandLine.h"
#include "frmAbout.h"
#include "frmGame.h"
#include "frmMenu.h"
#include "frmRules.h"
#include "QtStart.h"
#include "ScreenModel.h"
#include "TeardownWatchdog.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The statuses of a run that stops before the menu, as shells and scripts read them. A command
// line with a mistake on a display that cannot be opened ends with the display's status: the
// options left over cannot be judged until Qt has taken its own.
constexpr int ExitNoDisplay = 1;
constexpr int ExitMisuse = 2;

void Print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

// Through X's shared memory, Qt waits for the server to finish with the last frame before it
// paints the next one: a round trip that wakes this thread and Qt's X reader about three times a
// tick. A frame's changed places are small, and sent over the socket they need no answer. Qt
// reads the variable once, when it connects to X, so it is set for that moment only: a program
// started from the about screen gets the environment the player gave, less what Qt consumed.
const char* const NoSharedMemory = "QT_XCB_NO_MITSHM";

} // namespace

int main(int argc, char* argv[])
{
    switch (AskedBeforeQt(argc, argv)) {
    case Request::Help: Print(stdout, Usage(argv[0])); return 0;
    case Request::Version: Print(stdout, CommandName + QStringLiteral(" " VANTREL_VERSION "\n")); return 0;
    case Request::Play: break;
    }
    // With no display named at all (a console, ssh without X forwarding) Qt has nothing to try.
    const QString display = DisplayToOpen(argc, argv);
    if (display.isEmpty()) {
        Print(stderr,
              QStringLiteral("%1: no display to open: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland)\n")
                  .arg(CommandName));
        return ExitNoDisplay;
    }

    const bool setHere = !qEnvironmentVariableIsSet(NoSharedMemory);
    if (setHere)
        qputenv(NoSharedMemory, "1");
    const std::unique_ptr<QApplication> app = StartQt(argc, argv, display, ExitNoDisplay);
    if (setHere)
        qunsetenv(NoSharedMemory);

    if (const auto mistake = Mistake(QApplication::arguments())) {
        Print(stderr, QStringLiteral("%1: %2 Try '%1 --help'.\n").arg(CommandName, *mistake));
        return ExitMisuse;
    }

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
    // Qt's Wayland client can deadlock while it is torn down: the display waits for its event
    // thread, which waits in wl_display_read_events for a reply that never comes, and the program
    // lingers after Quit (seen with Qt 6.4 and 6.11, once or twice in fifty quits). So the normal
    // teardown runs, and on Wayland a watchdog ends the program with its status should it hang.
    // Every window is gone by now and nothing is left to save.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        ArmTeardownWatchdog(status);
    return status;
}
