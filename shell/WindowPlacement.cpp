#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace {

// The window that `window` names in the property, or none.
xcb_window_t NamedWindow(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const auto cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1);
    xcb_generic_error_t* error = nullptr;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, &error);
    xcb_window_t named = XCB_WINDOW_NONE;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == sizeof named)
        named = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
    std::free(reply);
    std::free(error);
    return named;
}

// A window manager that follows the desktop conventions names a window of its own on the root
// window, and that window names itself; one left behind by a window manager that has gone no
// longer exists.
bool WindowManagerRuns(xcb_connection_t* connection)
{
    constexpr std::string_view checkName = "_NET_SUPPORTING_WM_CHECK";
    const auto atomCookie = xcb_intern_atom(connection, 1, checkName.size(), checkName.data());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection, atomCookie, nullptr);
    if (!atom)
        return false;
    const xcb_atom_t check = atom->atom;
    std::free(atom);
    if (check == XCB_ATOM_NONE) // nobody ever named the property on this server
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_window_t named = NamedWindow(connection, root, check);
    return named != XCB_WINDOW_NONE && NamedWindow(connection, named, check) == named;
}

} // namespace

void CentreOnScreen(QWidget* window)
{
    const QRect screen = window->screen()->availableGeometry();
    QRect frame({0, 0}, window->size());
    frame.moveCenter(screen.center());
    window->move(frame.topLeft());
}

bool CanAskForFullScreen()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform != QLatin1String("xcb"))
        return false;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection() && WindowManagerRuns(x11->connection());
}
