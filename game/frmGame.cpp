#include "frmGame.h"

#include "MsgBox.h"
#include "ScreenModel.h"
#include "Twips.h"
#include "WindowPlacement.h"

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

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

frmGame::frmGame(QWidget* parent)
    : Screen(parent, Qt::Window | Qt::FramelessWindowHint), m_timer([this] { m_rules.Tick(); })
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

// The arena is drawn at the top-left of a window that covers the screen; on a larger screen the
// borders mark the arena's right and bottom edges. Only the full-screen state puts a window above
// the desktop's panels, so it is asked for wherever a window manager or a compositor can grant
// it; a bare X server has nobody to ask, and there the frameless window covers the screen by its
// geometry.
void frmGame::CoverScreen()
{
    if (CanAskForFullScreen())
        setWindowState(Qt::WindowFullScreen);
    else
        setGeometry(screen()->geometry());
    FollowScale();
}

// The scale follows the screen the window is on and that screen's pixel ratio, which change when
// the window moves to another screen or the desktop's scale changes; Qt 6.4 tells of neither, so
// this is asked again before every paint. True when the scale changed.
bool frmGame::FollowScale()
{
    const ArenaScale scale(screen()->geometry().size(), devicePixelRatioF());
    if (scale == m_scale)
        return false;
    m_scale = scale;
    m_canvas.Resize(m_scale.ImageSize(), palette().color(QPalette::Button).rgb() & 0xFFFFFFu);
    return true;
}

void frmGame::Activate()
{
    CoverScreen();
    m_canvas.ReleaseSprites();
    m_rules.Activate();
}

// Each changed place is copied under a clip of its own rectangle. Under the clip of the whole
// region, Qt copies through span clipping, row by row, and splits a copy of 96 rows or more
// (a wall) over its thread pool, waking two threads; under a rectangle it copies rows on this
// thread. Scaled, the painter works in arena pixels: under a scale alone a clip stays a rectangle,
// and without smoothing each device pixel takes its nearest arena pixel.
void frmGame::paintEvent(QPaintEvent* event)
{
    if (FollowScale())
        update(); // all of it, in the new scale
    QPainter painter(this);
    if (!m_scale.Unscaled())
        painter.scale(m_scale.WindowPerArena(), m_scale.WindowPerArena());
    for (const QRect& area : event->region()) {
        const QRect piece = m_scale.ToArena(area);
        painter.setClipRect(piece);
        painter.drawImage(piece, m_canvas.Frame().Image(), piece);
    }
}

void frmGame::mouseMoveEvent(QMouseEvent* event) { m_rules.MouseMove(m_scale.ArenaY(event->position().y())); }

void frmGame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_rules.Click();
}

// On Wayland the pointer's picture belongs to the seat, not to a window: a box that opens puts its arrow
// over the arena too, and since the pointer never left the arena, nothing puts ours back. So the arena
// takes its invisible pointer again whenever a box stops blocking it.
bool frmGame::event(QEvent* event)
{
    if (event->type() == QEvent::WindowUnblocked)
        setCursor(cursor());
    return Screen::event(event);
}

void frmGame::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1)
        m_rules.KeyPress(typed.at(0).unicode());
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

void frmGame::SetTimerEnabled(bool enabled) { m_timer.SetEnabled(enabled); }

void frmGame::SetTimerInterval(int milliseconds) { m_timer.SetInterval(milliseconds); }

void frmGame::Randomize() { m_random.Randomize(); }

double frmGame::Rnd() { return m_random.Next(); }

SpriteHandle frmGame::LoadSpriteDC(std::string_view fileName)
{
    return m_canvas.LoadSprite(QCoreApplication::applicationDirPath() + Text(fileName));
}

void frmGame::DrawFrame(const GameState& state) { m_canvas.DrawFrame(state); }

void frmGame::DrawBullet(SpriteHandle bullet, Int16 x, Int16 y) { m_canvas.DrawBullet(bullet, x, y); }

void frmGame::ShowFrame()
{
    for (const QRect& changed : m_canvas.Frame().TakeChanged())
        update(m_scale.ToWindow(changed));
}

void frmGame::ShowMenu() { Screens::Show(ScreenName::Menu); }

void frmGame::HideGame() { Screens::Hide(ScreenName::Game); }

void frmGame::UnloadGame() { Screens::Unload(ScreenName::Game); }
