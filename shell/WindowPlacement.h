#pragma once

#include <Qt>

class QWidget;

// A fixed dialog frame: a title and a close control, no minimize or maximize button, and a
// size the user cannot change (the screen sets a fixed size).
inline constexpr Qt::WindowFlags FixedDialogFlags = Qt::Window | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Centres the window's outer frame on the screen it will open on. The window manager puts its
// frame around the window only when the window is shown: until then the window is centred
// without it, and the frame is centred once it is known.
void CentreOnScreen(QWidget* window);

// Whether the window system takes a request for the full-screen state: a Wayland compositor
// does, and so does an X11 window manager; a bare X server has nobody to take it, and other
// platforms (the tests' offscreen one) are left to place the window by its geometry.
bool CanAskForFullScreen();
