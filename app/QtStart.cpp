#include "QtStart.h"

#include "CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The value of Qt's option `name` (with one dash or two), the last one given; else `fallback`.
QString OptionValue(int argc, const char* const argv[], std::string_view name, const QString& fallback)
{
    QString value = fallback;
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view option = argv[i];
        option.remove_prefix(option.starts_with("--") ? 2 : option.starts_with('-') ? 1 : 0);
        if (option == name)
            value = QString::fromLocal8Bit(argv[++i]);
    }
    return value;
}

// The socket Qt's Wayland client connects to, which Qt itself never names when it fails.
QString WaylandSocket()
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    if (name.startsWith(u'/'))
        return name;
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return folder.isEmpty() ? name + QStringLiteral(" (XDG_RUNTIME_DIR is not set)") : folder + u'/' + name;
}

QString XDisplay(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("on X, with no display named (DISPLAY is not set)")
                          : QStringLiteral("on the X display %1").arg(name);
}

// What Qt reported while the application was being built, held back until it stands or fails.
struct HeldMessage {
    QtMsgType Type;
    std::string Category;
    QString Text;
};
std::vector<HeldMessage> HeldMessages;
QString FailingDisplay;
int FailureStatus = EXIT_FAILURE;

// Qt's causes come last, just before its fatal message; a few lines say them.
constexpr std::size_t CauseLines = 4;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        HeldMessages.push_back({type, context.category ? context.category : "", message});
        return;
    }
    // The fatal message itself ends in a page: the list of every plugin there is.
    if (HeldMessages.empty())
        HeldMessages.push_back({type, context.category ? context.category : "", message});
    QString report =
        QStringLiteral("%1: cannot open a window %2. Qt says:\n").arg(CommandName, FailingDisplay);
    const std::size_t first = HeldMessages.size() > CauseLines ? HeldMessages.size() - CauseLines : 0;
    for (std::size_t i = first; i < HeldMessages.size(); ++i) {
        const HeldMessage& held = HeldMessages[i];
        const bool named = !held.Category.empty() && held.Category != "default";
        report += QStringLiteral("  %1%2\n")
                      .arg(named ? QString::fromStdString(held.Category + ": ") : QString(),
                           held.Text.section(u'\n', 0, 0));
    }
    std::fputs(report.toLocal8Bit().constData(), stderr);
    std::_Exit(FailureStatus);
}

} // namespace

QString DisplayToOpen(int argc, const char* const argv[])
{
    const QString platform = OptionValue(argc, argv, "platform", qEnvironmentVariable("QT_QPA_PLATFORM"));
    const QString x = OptionValue(argc, argv, "display", qEnvironmentVariable("DISPLAY"));
    QStringList places;
    if (platform.isEmpty()) {
        // Qt picks X or Wayland by itself.
        if (!x.isEmpty())
            places.append(XDisplay(x));
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            places.append(QStringLiteral("on the Wayland socket %1").arg(WaylandSocket()));
    }
    // Qt tries each plugin of a list in turn; "offscreen:configfile=..." passes options on.
    for (const QString& choice : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString plugin = choice.section(u':', 0, 0);
        if (plugin == u"xcb")
            places.append(XDisplay(x));
        else if (plugin.startsWith(u"wayland"))
            places.append(QStringLiteral("on the Wayland socket %1").arg(WaylandSocket()));
        else
            places.append(QStringLiteral("with Qt's platform plugin \"%1\"").arg(plugin));
    }
    return places.join(QStringLiteral(" or "));
}

std::unique_ptr<QApplication> StartQt(int& argc, char* argv[], const QString& display, int failureStatus)
{
    FailingDisplay = display;
    FailureStatus = failureStatus;
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartupMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& held : HeldMessages)
        qt_message_output(held.Type, QMessageLogContext(nullptr, 0, nullptr, held.Category.c_str()),
                          held.Text);
    HeldMessages.clear();
    return app;
}
