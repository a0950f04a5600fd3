#include "WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace {

void MoveFrameToCentre(QWidget* window)
{
    QRect frame = window->frameGeometry();
    frame.moveCenter(window->screen()->availableGeometry().center());
    window->move(frame.topLeft()); // a window's position is its frame's
}

// Centres the window again the first time its frame is larger than the window itself, which
// is when the window manager has framed it, and no more after that: the player may move it.
class CentreWhenFramed : public QObject {
public:
    explicit CentreWhenFramed(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Move && window->frameGeometry().size() != window->size()) {
            window->removeEventFilter(this);
            MoveFrameToCentre(window);
            deleteLater();
        }
        return false;
    }
};

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
    MoveFrameToCentre(window);
    new CentreWhenFramed(window);
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
