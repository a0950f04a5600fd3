#pragma once

#include <QWidget>

class QCloseEvent;

// One of the program's screens. Screens are shown modeless, hidden rather than closed, and
// activated explicitly by the screen model: never by Qt's window activation, which also
// fires when a message box closes or the user comes back from another program.
class Screen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The screen became the program's active screen: shown, or given the focus from another
    // of the program's screens.
    virtual void Activate() {}

protected:
    // Asked before the screen is destroyed, whatever asked for it: the window's close
    // control, the system, or the program. Returning true refuses; the screen stays as it was.
    virtual bool QueryUnload() { return false; }

    void closeEvent(QCloseEvent* event) override;
};
