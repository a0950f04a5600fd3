#pragma once

#include "Screen.h"

class QLabel;
class QPushButton;

// The game's title, version and credits, and a button that starts the desktop's
// system-information program. Built anew at every opening: OK destroys it.
class frmAbout : public Screen {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void cmdOK_Click();
};
