#pragma once

#include <QApplication>
#include <QString>

#include <memory>

// Where Qt will try to open its windows, as far as the command line and the environment say:
// "on the X display :1", "on the Wayland socket /run/user/1000/wayland-0", "with Qt's platform
// plugin "offscreen"", or several joined with "or". Empty when nothing names a display at all.
QString DisplayToOpen(int argc, const char* const argv[]);

// Builds the application on `display`. When Qt cannot start its platform, it says why in a
// few lines on stderr, naming the display and giving Qt's own words for the cause instead of
// its abort and its page of plugins, and the program ends with status `failureStatus`.
std::unique_ptr<QApplication> StartQt(int& argc, char* argv[], const QString& display, int failureStatus);
