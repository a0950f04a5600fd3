#include "frmMenu.h"

#include "ScreenModel.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 3450;
constexpr int ClientHeight = 3990;
constexpr int ButtonLeft = 800;
constexpr int ButtonWidth = 1810;
constexpr int ButtonHeight = 710;

QPushButton* MakeButton(QWidget* parent, const char* caption, int top)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setGeometry(TwipRect(ButtonLeft, top, ButtonWidth, ButtonHeight));
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

} // namespace

frmMenu::frmMenu(QWidget* parent) : Screen(parent, FixedDialogFlags)
{
    setWindowTitle(QStringLiteral("=>Vantrel<="));
    setFixedSize(Px(ClientWidth), Px(ClientHeight));

    cmdPlay = MakeButton(this, "Play", 500);
    cmdRules = MakeButton(this, "Rules", 1300);
    cmdAbout = MakeButton(this, "About", 2100);
    cmdQuit = MakeButton(this, "Quit", 2900);

    // Quit comes first, so it has the focus when the menu first appears.
    setTabOrder(cmdQuit, cmdRules);
    setTabOrder(cmdRules, cmdPlay);
    setTabOrder(cmdPlay, cmdAbout);
    cmdQuit->setFocus(Qt::OtherFocusReason);

    connect(cmdPlay, &QPushButton::clicked, this, &frmMenu::cmdPlay_Click);
    connect(cmdRules, &QPushButton::clicked, this, &frmMenu::cmdRules_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmMenu::cmdAbout_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmMenu::cmdQuit_Click);

    CentreOnScreen(this);
}

void frmMenu::Activate() { setWindowIcon(m_icon); }

// The game's activation runs inside Show, before the menu goes.
void frmMenu::cmdPlay_Click()
{
    Screens::Show(ScreenName::Game);
    Screens::SetFocus(ScreenName::Game);
    Screens::Hide(ScreenName::Menu);
}

void frmMenu::cmdRules_Click()
{
    Screens::Hide(ScreenName::Menu);
    Screens::Show(ScreenName::Rules);
}

void frmMenu::cmdAbout_Click()
{
    Screens::Show(ScreenName::About);
    Screens::Hide(ScreenName::Menu);
}

// At once: every screen refuses close requests, so closing them could not end the program.
void frmMenu::cmdQuit_Click() { QCoreApplication::exit(0); }
