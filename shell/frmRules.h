#pragma once

#include "Screen.h"

#include <QFont>

class QLabel;
class QPushButton;

// The largest type, from the font's own size down to 6 points by half points, in which the
// caption fits the box; the smallest when none does. The rules screen's Back button draws its
// caption, longer than the button is wide, in it.
QFont FittingFont(QFont font, const QRect& box, const QString& caption);

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
