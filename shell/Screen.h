#pragma once

#include <QWidget>

class QCloseEvent;

// One of the program's screens. Screens are shown modeless, hidden rather than closed, and
// activated explicitly by the screen model: never by Qt's window activation, which also
// fires when a message box closes or the user comes back from another program.
class Screen : public QWidget {
    Q_OBJECT
public:
    // A screen that agrees to a close request is destroyed once the event that asked has been
    // handled; the next show builds it anew.
    explicit Screen(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // The screen became the program's active screen: shown, or given the focus from another
    // of the program's screens.
    virtual void Activate() {}

signals:
    // The screen agreed to a close request and is going: hidden now, deleted soon after.
    void Unloaded();

protected:
    // Asked before the screen is destroyed, whatever asked for it: the window's close
    // control, the system, or the program. Returning true refuses; the screen stays as it was.
    virtual bool QueryUnload() { return false; }

    void closeEvent(QCloseEvent* event) override;
};
