#include "WindowPlacement.h"

#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget* window)
{
    const QRect screen = window->screen()->availableGeometry();
    QRect frame({0, 0}, window->size());
    frame.moveCenter(screen.center());
    window->move(frame.topLeft());
}
