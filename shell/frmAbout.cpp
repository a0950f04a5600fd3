#include "frmAbout.h"

#include "ScreenModel.h"
#include "SysInfo.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVersionNumber>

namespace {

constexpr int ClientLeft = 2340;
constexpr int ClientTop = 1940;
constexpr int ClientWidth = 5730;
constexpr int ClientHeight = 3550;

// The etched separator above the disclaimer and the buttons: a grey line with a white one
// just below it.
constexpr int EtchLeft = 90;
constexpr int EtchRight = 5654;
constexpr int EtchGreyTop = 2442;
constexpr int EtchWhiteLeft = 105;
constexpr int EtchWhiteTop = 2457;
constexpr int EtchWhiteThickness = 2;
const QColor EtchGrey(128, 128, 128);

// The version the program was given when it started, else the one it was built with.
QString VersionLine()
{
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral(VANTREL_VERSION);
    const QVersionNumber number = QVersionNumber::fromString(version);
    return QStringLiteral("Version %1.%2.%3")
        .arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

// Every label has a fixed box and wraps its text at words inside it.
QLabel* MakeLabel(QWidget* parent, QRect box, bool blackText)
{
    auto* label = new QLabel(parent);
    label->setGeometry(box);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (blackText) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, QRect box)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(box);
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : Screen(parent, FixedDialogFlags)
{
    // Placed by its client area, near the top left of the screen.
    setGeometry(TwipRect(ClientLeft, ClientTop, ClientWidth, ClientHeight));
    setFixedSize(size());

    // The picture is larger than its box, which keeps its size so as not to cover the labels
    // beside it: the box shows the picture's top-left part, unscaled.
    picIcon = new QLabel(this);
    picIcon->setGeometry(TwipRect(240, 240, 1410, 1540));
    picIcon->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setFocusPolicy(Qt::TabFocus);

    lblTitle = MakeLabel(this, TwipRect(1750, 240, 3890, 480), true);
    lblVersion = MakeLabel(this, TwipRect(1750, 780, 3890, 230), false);
    lblDescription = MakeLabel(this, TwipRect(1750, 1130, 3890, 1170), true);
    lblDescription->setText(QStringLiteral("Game by Quillon in shining white armour"));
    lblDisclaimer = MakeLabel(this, TwipRect(255, 2625, 3870, 825), true);
    lblDisclaimer->setText(QStringLiteral("Warning: I own you"));

    cmdOK = MakeButton(this, QStringLiteral("OK"), TwipRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = MakeButton(this, QStringLiteral("&System Info..."), TwipRect(4260, 3075, 1245, 345));

    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus(Qt::OtherFocusReason);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });

    // The load step, in its order.
    setWindowTitle(QStringLiteral("About Vantrel"));
    lblVersion->setText(VersionLine());
    lblTitle->setText(QStringLiteral("Vantrel"));
    const QPixmap picture(QStringLiteral(":/QUILLON"));
    if (!picture.isNull())
        picIcon->setPixmap(picture.copy(QRect({0, 0}, picIcon->contentsRect().size())));
}

void frmAbout::cmdOK_Click()
{
    Screens::Hide(ScreenName::About);
    Screens::Show(ScreenName::Menu);
    Screens::Unload(ScreenName::About);
}

// The about screen agrees to go. Closed from its window's close control it also brings the
// menu back, since otherwise the program would run on with no window and no way to quit.
void frmAbout::closeEvent(QCloseEvent* event)
{
    const bool fromCloseControl = isVisible();
    Screen::closeEvent(event);
    if (event->isAccepted() && fromCloseControl)
        Screens::Show(ScreenName::Menu);
}

// OK is both the default and the cancel button: Enter presses it unless another button has
// the focus (that button takes its own Enter), and Escape presses it from anywhere.
void frmAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: cmdOK->click(); return;
    default: Screen::keyPressEvent(event);
    }
}

void frmAbout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Each line starts on its own row, the white one running two rows down from there: the grey
    // row and both white ones show.
    painter.fillRect(Px(EtchLeft), Px(EtchGreyTop), Px(EtchRight) - Px(EtchLeft) + 1, 1, EtchGrey);
    painter.fillRect(Px(EtchWhiteLeft), Px(EtchWhiteTop), Px(EtchRight) - Px(EtchWhiteLeft) + 1,
                     EtchWhiteThickness, Qt::white);
}
