#include "Screen.h"

#include <QCloseEvent>

Screen::Screen(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void Screen::closeEvent(QCloseEvent* event)
{
    if (QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    emit Unloaded();
}
