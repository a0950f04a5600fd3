#include "CommandLine.h"

#include <QCommandLineParser>

#include <algorithm>
#include <string_view>

namespace {

const QString Description =
    QStringLiteral("Vantrel, a paddle arcade game for one player. With no options it opens\n"
                   "its menu; how to play is on its Rules screen and in vantrel(6).");
const QStringList HelpNames = {QStringLiteral("h"), QStringLiteral("help")};
const QStringList VersionNames = {QStringLiteral("v"), QStringLiteral("version")};
const QString HelpText = QStringLiteral("Show this help and exit.");
const QString VersionText = QStringLiteral("Show the version and exit.");

// The options of Qt that take the next argument as their value: QGuiApplication's, its X
// platform's and QApplication's. Qt reads them with one dash or two.
constexpr std::string_view QtOptionsWithValue[] = {"platform",
                                                   "platformpluginpath",
                                                   "platformtheme",
                                                   "plugin",
                                                   "qwindowgeometry",
                                                   "geometry",
                                                   "qwindowicon",
                                                   "icon",
                                                   "qwindowtitle",
                                                   "title",
                                                   "session",
                                                   "display",
                                                   "name",
                                                   "visual",
                                                   "style",
                                                   "stylesheet"};

bool IsOneOf(std::string_view name, const QStringList& names)
{
    return names.contains(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

} // namespace

// The parser after Qt reads single words after one dash as long options (-help, -version), as
// Qt does its own, so the same forms are looked for here.
Request AskedBeforeQt(int argc, const char* const argv[])
{
    bool help = false, version = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option == "--")
            break; // the rest are arguments, even those with dashes
        if (option.size() < 2 || option[0] != '-')
            continue;
        option.remove_prefix(option.starts_with("--") ? 2 : 1);
        if (std::find(std::begin(QtOptionsWithValue), std::end(QtOptionsWithValue), option)
            != std::end(QtOptionsWithValue)) {
            ++i;
            continue;
        }
        help = help || IsOneOf(option, HelpNames);
        version = version || IsOneOf(option, VersionNames);
    }
    // As QCommandLineParser would answer: help first, wherever it stands.
    return help ? Request::Help : version ? Request::Version : Request::Play;
}

QString Usage(const char* calledAs)
{
    return QStringLiteral("Usage: %1 [options]\n%2\n\nOptions:\n  -h, --help     %3\n  -v, --version  %4\n")
        .arg(QString::fromLocal8Bit(calledAs), Description, HelpText, VersionText);
}

std::optional<QString> Mistake(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(HelpNames, HelpText));
    parser.addOption(QCommandLineOption(VersionNames, VersionText));
    // Read that way, "-reverse" is never taken for -r -e -v ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(arguments))
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    return std::nullopt;
}
