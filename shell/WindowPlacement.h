#pragma once

#include <Qt>

class QWidget;

// A fixed dialog frame: a title and a close control, no minimize or maximize button, and a
// size the user cannot change (the screen sets a fixed size).
inline constexpr Qt::WindowFlags FixedDialogFlags = Qt::Window | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Centres the window's frame on the screen it will open on.
void CentreOnScreen(QWidget* window);
