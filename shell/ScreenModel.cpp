#include "ScreenModel.h"

#include "Screen.h"

#include <QPointer>

namespace {

// A screen that agrees to be unloaded is forgotten at once, though Qt deletes it a moment
// later; the guarded pointer covers a screen deleted any other way.
struct Entry {
    Screens::Factory Build;
    QPointer<Screen> Instance;
};

std::map<QString, Entry>& Table()
{
    static std::map<QString, Entry> table;
    return table;
}

// The screen activated last; cleared when it is hidden, so that showing it again activates
// it again, and by Qt when it is destroyed.
QPointer<Screen>& ActiveScreen()
{
    static QPointer<Screen> active;
    return active;
}

void MakeActive(Screen* screen)
{
    if (ActiveScreen() == screen)
        return;
    ActiveScreen() = screen;
    screen->Activate();
}

void Forget(const QString& name)
{
    QPointer<Screen>& instance = Table()[name].Instance;
    if (ActiveScreen() == instance)
        ActiveScreen() = nullptr;
    instance = nullptr;
}

} // namespace

namespace Screens {

void Register(const QString& name, Factory build) { Table()[name].Build = std::move(build); }

Screen* Show(const QString& name)
{
    const auto found = Table().find(name);
    Q_ASSERT_X(found != Table().end(), "Screens::Show", "screen not registered");
    if (found == Table().end())
        return nullptr;
    Entry& entry = found->second;
    if (!entry.Instance) {
        entry.Instance = entry.Build();
        QObject::connect(entry.Instance, &Screen::Unloaded, [name] { Forget(name); });
    }
    Screen* screen = entry.Instance;
    screen->show();
    screen->raise();
    screen->activateWindow();
    MakeActive(screen);
    return screen;
}

void Hide(const QString& name)
{
    Screen* screen = Find(name);
    if (!screen)
        return;
    screen->hide();
    if (ActiveScreen() == screen)
        ActiveScreen() = nullptr;
}

void SetFocus(const QString& name)
{
    Screen* screen = Find(name);
    if (!screen)
        return;
    screen->activateWindow();
    screen->setFocus(Qt::OtherFocusReason);
    MakeActive(screen);
}

void Unload(const QString& name)
{
    if (Screen* screen = Find(name))
        screen->close(); // the screen's close-request handler decides
}

Screen* Find(const QString& name)
{
    const auto found = Table().find(name);
    return found == Table().end() ? nullptr : found->second.Instance.data();
}

Screen* Active() { return ActiveScreen().data(); }

void DestroyAll()
{
    for (auto& [name, entry] : Table())
        delete entry.Instance.data();
    Table().clear();
}

} // namespace Screens
