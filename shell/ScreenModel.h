#pragma once

#include <QString>

#include <functional>
#include <map>

class Screen;

// The program's screens by name: each a single instance, created the first time it is shown
// and kept until it is destroyed. Screens reach one another only through here, so none of
// them includes another; the program registers how each one is built.
namespace Screens {

using Factory = std::function<Screen*()>;

void Register(const QString& name, Factory build);

// Shows the screen, creating it first if needed, and activates it when it was not already
// the active screen. Returns the instance.
Screen* Show(const QString& name);
void Hide(const QString& name);
// Gives the screen the keyboard focus; activates it when focus comes from another screen.
void SetFocus(const QString& name);
// Asks the screen to be destroyed. The screen may refuse; if it agrees it is hidden and
// deleted, and the next Show builds it anew.
void Unload(const QString& name);

// The instance if it exists, else null.
Screen* Find(const QString& name);
// The screen that was activated last and still exists, else null.
Screen* Active();

// Destroys every screen and forgets every factory: when the program ends, so that nothing it
// built outlives it, and between tests.
void DestroyAll();

} // namespace Screens

// The names the screens are registered under.
namespace ScreenName {
inline const QString Menu = QStringLiteral("frmMenu");
inline const QString Game = QStringLiteral("frmGame");
inline const QString Rules = QStringLiteral("frmRules");
inline const QString About = QStringLiteral("frmAbout");
} // namespace ScreenName
