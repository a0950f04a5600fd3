#include "frmRules.h"

#include "ScreenModel.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int ClientWidth = 6380;
constexpr int ClientHeight = 5510;

// The button's caption is longer than the button is wide. It wraps at words inside the
// bevel, in a smaller type when the screen's font would still not let it fit.
constexpr int BevelWidth = 1;
constexpr qreal SmallestPointSize = 6;
constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect box = rect().adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
        painter.setFont(FittingFont(font(), box, caption));
        painter.drawItemText(box, CaptionFlags, palette(), isEnabled(), caption, QPalette::ButtonText);
    }
};

// Six paragraphs split by CR LF, joined from the pieces they were written in, one to a line.
// clang-format off
QString RulesText()
{
    const QString crLf = QStringLiteral("\r\n");
    return QStringLiteral("The objective of the game is to win (obviously).") + crLf
        + QStringLiteral("The ways you can win are by having the ball hit the area beyond the enemy wall, ")
        + QStringLiteral("or shooting the enemy paddle with a bullet.") + crLf
        + QStringLiteral("The walls protect the paddles from the opponent's bullets and prevents the ball from ")
        + QStringLiteral("going into the paddle's area. If the ball hits the wall, the section that is hit is destroyed and the ball ")
        + QStringLiteral("bounces slower (unless the ball is already moving at the slowest speed) into the opposite direction.") + crLf
        + QStringLiteral("You can click to shoot a bullet (maximum 3 per screen) and these bullets bounce the ball back into the opposite direction. ")
        + QStringLiteral("If a bullet is going in the same direction as the ball, and the two hit each other, the ball goes faster in the same direction.") + QStringLiteral(" ")
        + QStringLiteral("You or the enemy must now shoot the ball to slow it down, then shoot it again to go in the opposite direction.  The bullet is fired out the middle of the paddle.") + crLf
        + QStringLiteral("Press ''q'' to quit the game, ''p'' to pause and ''s'' to change the speed of the game.") + crLf
        + QStringLiteral("Music is also available in game.  ");
}
// clang-format on

} // namespace

QFont FittingFont(QFont font, const QRect& box, const QString& caption)
{
    for (qreal size = font.pointSizeF(); size >= SmallestPointSize; size -= 0.5) {
        font.setPointSizeF(size);
        const QRect needed = QFontMetrics(font).boundingRect(box, CaptionFlags, caption);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    return font;
}

frmRules::frmRules(QWidget* parent) : Screen(parent, FixedDialogFlags)
{
    setWindowTitle(QStringLiteral("=>Rules<="));
    setFixedSize(Px(ClientWidth), Px(ClientHeight));

    // Wraps within its fixed box; whatever does not fit below is cut off.
    lblRules = new QLabel(this);
    lblRules->setGeometry(TwipRect(100, 100, 6010, 4710));
    lblRules->setTextFormat(Qt::PlainText);
    lblRules->setWordWrap(true);
    lblRules->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdBack = new WrappingButton(QStringLiteral("Back to Main Menu"), this);
    cmdBack->setGeometry(TwipRect(5100, 4900, 1010, 510));
    // Enter presses it while it has the focus, as Space does; it is not the screen's default
    // button, and Escape is left alone.
    cmdBack->setAutoDefault(true);
    cmdBack->setFocus(Qt::OtherFocusReason);
    connect(cmdBack, &QPushButton::clicked, this, &frmRules::cmdBack_Click);

    CentreOnScreen(this);
}

void frmRules::Activate() { lblRules->setText(RulesText()); }

// The rules screen refuses to go, so it stays built and hidden for the next time.
void frmRules::cmdBack_Click()
{
    Screens::Hide(ScreenName::Rules);
    Screens::Show(ScreenName::Menu);
    Screens::Unload(ScreenName::Rules);
}
