#include "frmGame.h"

#include "Arena.h"
#include "clsFunctions.h"
#include "MsgBox.h"
#include "ScreenModel.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QScreen>

// The frame is drawn with the rules' geometry.
static_assert(Arena::Width == ArenaWidth && Arena::Height == ArenaHeight);
static_assert(Arena::WallRows == WallRows && Arena::PlayerWallX == PlayerWallX
              && Arena::EnemyWallX == EnemyWallX);
static_assert(Arena::PlayerPaddleX == PlayerPaddleX && Arena::EnemyPaddleX == EnemyPaddleX);
static_assert(Arena::PaddleWidth == PaddleWidth && Arena::PaddleHeight == PaddleHeight
              && Arena::BallSize == BallSize && Arena::BulletSize == BulletSize);

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

frmGame::frmGame(QWidget* parent)
    : Screen(parent, Qt::Window | Qt::FramelessWindowHint), Timer([this] { TheGame.Tick(); })
{
    setWindowTitle(QStringLiteral("=> VANTREL <="));
    // The icon and the pointer are fully transparent: nothing but the arena shows.
    const QPixmap invisible(QStringLiteral(":/INVIS"));
    setWindowIcon(QIcon(invisible));
    setCursor(QCursor(invisible, 0, 0));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent); // the frame covers every pixel
    CoverScreen();
}

// The arena is drawn 1:1 in logical pixels at the top-left of a window that covers the
// screen; on a larger screen the borders mark the arena's right and bottom edges.
void frmGame::CoverScreen()
{
    const QRect screenArea = screen()->geometry();
    setGeometry(screenArea);
    if (Picture.Image().size() != screenArea.size())
        Picture.Reset(screenArea.size(), palette().color(QPalette::Button).rgb() & 0xFFFFFFu);
}

void frmGame::Activate()
{
    CoverScreen();
    Sprites.clear(); // the last activation's surfaces are not used again
    TheGame.Activate();
}

void frmGame::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, Picture.Image(), area);
}

void frmGame::mouseMoveEvent(QMouseEvent* event) { TheGame.MouseMove(event->position().y()); }

void frmGame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        TheGame.Click();
}

void frmGame::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1)
        TheGame.KeyPress(typed.at(0).unicode());
}

void frmGame::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    ::MsgBox(Text(prompt), static_cast<int>(style), Text(title), this);
}

std::optional<std::string> frmGame::InputBox(std::string_view prompt, std::string_view title,
                                             std::string_view defaultText, int left, int top)
{
    QInputDialog box(this);
    box.setWindowTitle(Text(title));
    box.setLabelText(Text(prompt));
    box.setTextValue(Text(defaultText));
    box.move(screen()->geometry().topLeft() + QPoint(Px(left), Px(top)));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue().toStdString();
}

void frmGame::SetTimerEnabled(bool enabled) { Timer.SetEnabled(enabled); }

void frmGame::SetTimerInterval(int milliseconds) { Timer.SetInterval(milliseconds); }

void frmGame::Randomize() { Random.Randomize(); }

double frmGame::Rnd() { return Random.Next(); }

SpriteHandle frmGame::LoadSpriteDC(std::string_view fileName)
{
    Sprites.push_back(clsFunctions::LoadSpriteDC(QCoreApplication::applicationDirPath() + Text(fileName)));
    return static_cast<SpriteHandle>(Sprites.size());
}

const SpriteSurface& frmGame::Sprite(SpriteHandle handle) const
{
    static const SpriteSurface none;
    return handle >= 1 && handle <= Sprites.size() ? Sprites[handle - 1] : none;
}

void frmGame::DrawFrame(const GameState& s)
{
    DrawArena(Picture, {Sprite(s.PaddleDC), Sprite(s.BallDC), Sprite(s.WallDC)},
              {s.BallX, s.BallY, s.EnemyY, s.PlayerY, s.PlayerWall, s.EnemyWall});
}

void frmGame::DrawBullet(SpriteHandle bullet, Int16 x, Int16 y)
{
    ::DrawBullet(Picture, Sprite(bullet), x, y);
}

void frmGame::ShowFrame()
{
    for (const QRect& changed : Picture.TakeChanged())
        update(changed);
}

void frmGame::ShowMenu() { Screens::Show(ScreenName::Menu); }

void frmGame::HideGame() { Screens::Hide(ScreenName::Game); }

void frmGame::UnloadGame() { Screens::Unload(ScreenName::Game); }
