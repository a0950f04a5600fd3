#include "frmAbout.h"
#include "frmGame.h"
#include "frmMenu.h"
#include "frmRules.h"
#include "ScreenModel.h"
#include "TeardownWatchdog.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

namespace {

// The command as it is typed; its messages begin with it.
const QString CommandName = QStringLiteral("vantrel");

// The statuses of a run that stops before the menu, as shells and scripts read them.
constexpr int ExitNoDisplay = 1;
constexpr int ExitMisuse = 2;

enum class Request { Play, Help, Version, Mistake };

struct CommandLine {
    Request Asked = Request::Play;
    QString Text; // the usage to print for Help, the mistake for Mistake
};

// Nothing on the command line configures the game: --help and --version print and end the
// program, and every other option or argument that Qt has not taken as its own is a mistake,
// reported rather than ignored so that a typo is seen.
CommandLine ReadCommandLine()
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.setApplicationDescription(
        QStringLiteral("Vantrel, a paddle arcade game for one player. With no options it opens\n"
                       "its menu; how to play is on its Rules screen and in vantrel(6)."));
    parser.addOption(help);
    parser.addOption(version);
    // Qt's own options are single words after one dash (-platform, -reverse): read that way,
    // "-reverse" is never taken for -r -e -v ... while Qt's options are still in the list.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    const bool understood = parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help))
        return {Request::Help, parser.helpText()};
    if (parser.isSet(version))
        return {Request::Version, {}};
    if (!understood)
        return {Request::Mistake, parser.errorText()};
    if (!parser.positionalArguments().isEmpty()) {
        return {Request::Mistake,
                QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst())};
    }
    return {};
}

// Qt stops the program with an abort and a page of text when its platform cannot connect, so
// the common case of no display at all (a console, ssh without X forwarding) is told here,
// before Qt tries. A platform chosen with QT_QPA_PLATFORM or -platform (offscreen, say) and an
// X display given with -display are Qt's to open; otherwise Qt's X and Wayland platforms need
// DISPLAY or WAYLAND_DISPLAY.
bool DisplayIsNamed(int argc, char* argv[])
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    }
    for (int i = 1; i < argc; ++i) {
        // Qt takes its options with one dash or two.
        for (const char* option : {"-platform", "--platform", "-display", "--display"}) {
            if (qstrcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

void Print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

void ReportNoDisplay()
{
    Print(stderr,
          QStringLiteral("%1: no display to open: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland)\n")
              .arg(CommandName));
}

// A display that is named but cannot be opened (a DISPLAY with no X server behind it) makes Qt
// warn, then stop with a fatal message and an abort while the application is built. Until it
// is built, messages are held back: a fatal one becomes our one line and status 1, and the
// others are passed on once the application stands.
std::vector<std::tuple<QtMsgType, QString>> HeldMessages;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        ReportNoDisplay();
        std::_Exit(ExitNoDisplay);
    }
    HeldMessages.emplace_back(type, message);
}

std::unique_ptr<QCoreApplication> BuildApplication(bool displayNamed, int& argc, char* argv[])
{
    if (!displayNamed)
        return std::make_unique<QCoreApplication>(argc, argv);
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartupMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : HeldMessages)
        qt_message_output(type, QMessageLogContext(), message);
    HeldMessages.clear();
    return app;
}

} // namespace

int main(int argc, char* argv[])
{
    // Only a QApplication takes Qt's own options (-platform, -display, -style...) out of the
    // arguments, and it cannot be built without a display. Without one, a core application
    // is enough to answer --help and --version; anything else is told that there is no display,
    // since the options left over cannot be judged.
    const bool displayNamed = DisplayIsNamed(argc, argv);
    // Through X's shared memory, Qt waits for the server to finish with the last frame before
    // it paints the next one: a round trip that wakes this thread and Qt's X reader about three
    // times a tick. A frame's changed places are small, and sent over the socket they need no
    // answer. Set from outside, the variable is left as it is.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    const std::unique_ptr<QCoreApplication> app = BuildApplication(displayNamed, argc, argv);

    const CommandLine commandLine = ReadCommandLine();
    if (commandLine.Asked == Request::Help) {
        Print(stdout, commandLine.Text);
        return 0;
    }
    if (commandLine.Asked == Request::Version) {
        Print(stdout, CommandName + QStringLiteral(" " VANTREL_VERSION "\n"));
        return 0;
    }
    if (!displayNamed) {
        ReportNoDisplay();
        return ExitNoDisplay;
    }
    if (commandLine.Asked == Request::Mistake) {
        Print(stderr, QStringLiteral("%1: %2 Try '%1 --help'.\n").arg(CommandName, commandLine.Text));
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
