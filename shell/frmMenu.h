#pragma once

#include "Screen.h"

#include <QIcon>

class QPushButton;

// The hub: every other screen is opened from here and leads back here. Only Quit ends the
// program.
class frmMenu : public Screen {
    Q_OBJECT
public:
    explicit frmMenu(QWidget* parent = nullptr);

    void Activate() override;

    QPushButton* cmdPlay;
    QPushButton* cmdRules;
    QPushButton* cmdAbout;
    QPushButton* cmdQuit;

protected:
    bool QueryUnload() override { return true; }

private:
    void cmdPlay_Click();
    void cmdRules_Click();
    void cmdAbout_Click();
    void cmdQuit_Click();

    // Read once for all the menu's activations.
    const QIcon m_icon{QStringLiteral(":/ICON")};
};
