#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command as it is typed; its messages begin with it.
inline const QString CommandName = QStringLiteral("vantrel");

enum class Request { Play, Help, Version };

// What the command line asks for, read straight from argv before Qt is started, so that --help
// and --version need neither a display nor a working platform plugin. Qt's own options are
// stepped over with their values: in "-display -h" the -h is a display's name.
Request AskedBeforeQt(int argc, const char* const argv[]);

// The usage that --help prints, naming the program as it was called.
QString Usage(const char* calledAs);

// Nothing on the command line configures the game, so whatever is left once Qt has taken its
// own options is a mistake, reported rather than ignored so that a typo is seen.
std::optional<QString> Mistake(const QStringList& arguments);
