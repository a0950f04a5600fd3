#pragma once

#include "Screen.h"

class QLabel;
class QPushButton;

// The game's rules as one block of text, and the way back to the menu. Created once and only
// ever hidden: it refuses every close request.
class frmRules : public Screen {
    Q_OBJECT
public:
    explicit frmRules(QWidget* parent = nullptr);

    // Sets the rules text afresh each time the screen is shown.
    void Activate() override;

    QLabel* lblRules;
    QPushButton* cmdBack;

protected:
    bool QueryUnload() override { return true; }

private:
    void cmdBack_Click();
};
