#include "Screen.h"

#include "ScreenModel.h"

#include <QCloseEvent>

void Screen::closeEvent(QCloseEvent* event)
{
    if (QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Screens::Unloaded(this);
}
