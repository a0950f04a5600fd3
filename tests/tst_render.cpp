// Sprites and the frame: pictures of any quality, the AND rule, the arena's landmarks, and
// frame after frame of play with clearing and the repaint rectangle.
#include "Arena.h"
#include "clsFunctions.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QIcon>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

#include <random>

namespace {

constexpr quint32 ButtonFace = 0xD4D0C8; // shares bits with neither black nor white sprites
constexpr quint32 White = 0xFFFFFF;

QImage Solid(QSize size, quint32 colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour | 0xFF000000u);
    return picture;
}

SpriteSurface Sprite(int w, int h, quint32 colour) { return SpriteSurface(Solid(QSize(w, h), colour)); }
quint32 At(const FrameImage& frame, int x, int y) { return frame.Image().pixel(x, y) & White; }

struct Sprites {
    SpriteSurface Paddle, Ball, Bullet, Wall;
};

struct Scene {
    int BallX = 390, BallY = 290, EnemyY = 260, PlayerY = 262;
    std::array<bool, Arena::WallRows> PlayerWall, EnemyWall;
    std::vector<QPoint> Bullets;
    Scene() { PlayerWall.fill(true), EnemyWall.fill(true); }

    void Draw(FrameImage& frame, const Sprites& s) const
    {
        DrawArena(frame, {s.Paddle, s.Ball, s.Wall}, {BallX, BallY, EnemyY, PlayerY, PlayerWall, EnemyWall});
        for (QPoint b : Bullets)
            DrawBullet(frame, s.Bullet, b.x(), b.y());
    }
};

} // namespace

class TestRender : public QObject {
    Q_OBJECT

    QTemporaryDir Files;
    // Colours whose ANDs are told apart: an AND drawn as a plain copy shows at once.
    const Sprites Coloured{Sprite(25, 75, 0x00FFFF), Sprite(25, 25, 0xFFFF00), Sprite(3, 3, 0xF0F0F0),
                           Sprite(1, 1, 0xFF00FF)};
    // The same shapes in other colours, as a new activation may load them.
    const Sprites Reloaded{Sprite(25, 75, 0xFFFF00), Sprite(25, 25, 0x00FFFF), Sprite(3, 3, 0x0F0F0F),
                           Sprite(1, 1, 0x00FF00)};

    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Files.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName()
                                                                                    : QString();
    }

private slots:
    // Our own pictures, copied beside this test: sprites pure black on white, since a grey would
    // leave stray colour bits wherever it is ANDed, and mostly ink; the icon in both sizes, the
    // pointer invisible.
    void ownPictures()
    {
        const std::pair<const char*, QSize> own[] = {
            {"PADDLE.bmp", {25, 75}}, {"BALL.bmp", {25, 25}}, {"BULLET.bmp", {3, 3}}, {"WALL.bmp", {1, 1}}};
        for (const auto& [file, size] : own) {
            const QString path = QCoreApplication::applicationDirPath() + '/' + file;
            const SpriteSurface sprite = clsFunctions::LoadSpriteDC(path);
            QCOMPARE(QImage(path).size(), size);
            int ink = 0, white = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    ink += sprite.Pixel(x, y) == 0, white += sprite.Pixel(x, y) == White;
            QVERIFY2(ink + white == size.width() * size.height() && ink > white, file);
        }
        const QList<QSize> icons = QIcon(":/ICON").availableSizes();
        QVERIFY(icons.contains(QSize(16, 16)) && icons.contains(QSize(32, 32)));
        QImage invisible(32, 32, QImage::Format_ARGB32_Premultiplied);
        invisible.fill(Qt::transparent);
        QCOMPARE(QImage(":/INVIS").convertToFormat(invisible.format()), invisible);
        QCOMPARE(QImage(":/QUILLON").size(), QSize(137, 150));
    }

    void spriteFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QImage>("picture"); // what loads; null for none
        QImage small = Solid(QSize(10, 10), White);
        small.setPixel(9, 9, 0xFF123456);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && small.save(&buffer, "BMP"));
        // Claims 5000 x 5000, a hundred megabytes: refused before the memory is taken, even
        // though its first rows are there to be read.
        QByteArray huge = bmp.left(54).append(150000, '\0');
        qToLittleEndian<qint32>(5000, huge.data() + 18); // width
        qToLittleEndian<qint32>(5000, huge.data() + 22); // height
        QTest::newRow("smaller than the region") << Write("small.bmp", bmp) << small;
        QTest::newRow("missing") << Files.filePath("nothing here.bmp") << QImage();
        QTest::newRow("empty") << Write("empty.bmp", {}) << QImage();
        QTest::newRow("text") << Write("text.bmp", "This is not a picture.\n") << QImage();
        QTest::newRow("header only") << Write("header.bmp", bmp.left(54)) << QImage();
        QTest::newRow("cut in the pixels") << Write("half.bmp", bmp.left(bmp.size() / 2)) << QImage();
        QTest::newRow("one byte short") << Write("short.bmp", bmp.left(bmp.size() - 1)) << QImage();
        QTest::newRow("a folder") << Files.path() << QImage();
        QTest::newRow("oversized") << Write("huge.bmp", huge) << QImage();
    }
    // Copied as a 25 x 75 paddle onto a smaller frame, cut at every edge: the picture's own
    // pixels, and black wherever it has none.
    void spriteFiles()
    {
        QFETCH(QString, path);
        QFETCH(QImage, picture);
        QVERIFY(!path.isEmpty());
        if (QTest::currentDataTag() == QLatin1String("oversized"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("exceeds the current allocation limit"));
        const SpriteSurface sprite = clsFunctions::LoadSpriteDC(path);
        QCOMPARE(sprite.HasPicture(), !picture.isNull());
        QCOMPARE(sprite.Pixel(10, 9) | sprite.Pixel(9, 10) | sprite.Pixel(-1, 0), 0u);
        for (QPoint at : {QPoint(5, 5), QPoint(-3, -4)}) {
            FrameImage frame;
            frame.Reset(QSize(28, 70), White);
            frame.AndCopy(at.x(), at.y(), 25, 75, sprite);
            QImage expected = Solid(QSize(28, 70), White);
            QPainter painter(&expected);
            painter.fillRect(QRect(at, QSize(25, 75)), Qt::black);
            if (!picture.isNull())
                painter.drawImage(at, picture);
            painter.end();
            QCOMPARE(frame.Image(), expected);
        }
    }

    // A pixel and a wall row combine by the same AND as the copies and keep the picture opaque;
    // nothing off the image is drawn, not even on the next row.
    void andPixelAndColumn()
    {
        FrameImage frame;
        frame.Reset(QSize(10, 10), ButtonFace);
        const bool rows[] = {true};
        frame.AndPixel(1, 1, 0x00FF0F);
        frame.AndColumn(4, 4, rows, 0x00FF0F);
        for (QPoint off : {QPoint(10, 0), QPoint(-1, 9), QPoint(0, 10), QPoint(0, -1)})
            frame.AndPixel(off.x(), off.y(), 0), frame.AndColumn(off.x(), off.y(), rows, 0);
        QImage expected = Solid(QSize(10, 10), ButtonFace);
        expected.setPixel(1, 1, (ButtonFace & 0x00FF0F) | 0xFF000000u);
        expected.setPixel(4, 4, (ButtonFace & 0x00FF0F) | 0xFF000000u);
        QCOMPARE(frame.Image(), expected);
    }

    // The arena's landmarks by name, in the frame after four wall rows broke. The player's
    // paddle (x = 780..804) crosses the right border, and there the two are ANDed.
    void arenaLandmarks()
    {
        Scene scene;
        scene.Bullets = {{100, 100}};
        FrameImage frame;
        frame.Reset(QSize(1920, 1080), ButtonFace);
        scene.Draw(frame, Coloured);
        scene.PlayerWall[200] = scene.PlayerWall[599] = scene.EnemyWall[0] = scene.EnemyWall[450] = false;
        frame.TakeChanged();
        scene.Draw(frame, Coloured);
        // Only the two walls, which lost rows, where they were and where they are: not the
        // borders, paddles, ball and bullet that stood still.
        qint64 repainted = 0;
        for (const QRect& r : frame.TakeChanged()) {
            QVERIFY(QRect(0, 0, 805, 601).contains(r));
            repainted += qint64(r.width()) * r.height();
        }
        QVERIFY2(repainted <= 4 * Arena::WallRows, qPrintable(QString::number(repainted)));
        const quint32 wall = ButtonFace & 0xFF00FF, paddle = ButtonFace & 0x00FFFF,
                      ball = ButtonFace & 0xFFFF00, bullet = ButtonFace & 0xF0F0F0, none = ButtonFace;
        for (int i = 0; i <= 600; ++i) {
            QCOMPARE(At(frame, i, 600), wall);
            QCOMPARE(At(frame, 800, i), i >= 262 && i < 262 + 75 ? wall & paddle : wall);
        }
        const std::tuple<int, int, quint32> landmarks[] = {
            {801, 400, none},   {300, 601, none}, {801, 601, none}, // beyond the borders
            {750, 0, wall},     {751, 0, none},   {750, 199, wall},   {750, 200, none},
            {750, 201, wall}, // walls and gaps
            {750, 598, wall},   {750, 599, none}, {50, 0, none},      {50, 1, wall},
            {49, 1, none},      {50, 449, wall},  {50, 450, none},    {50, 451, wall},
            {390, 290, ball},   {414, 314, ball}, {415, 314, none},   {414, 315, none},
            {389, 290, none},   {0, 260, paddle}, {24, 334, paddle},  {25, 334, none},
            {24, 335, none},    {0, 259, none},   {780, 262, paddle}, {804, 336, paddle},
            {805, 336, none},   {804, 337, none}, {779, 262, none},   {100, 100, bullet},
            {102, 102, bullet}, {103, 102, none}, {102, 103, none},
        };
        for (const auto& [x, y, colour] : landmarks)
            QVERIFY2(At(frame, x, y) == colour, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
    }

    // Frame after frame of play with pieces moving and standing, half off the screen and at the
    // 16-bit ends, stray pixels in more places than the image keeps apart, and sprites loaded
    // anew: each frame equals the same scene drawn on a fresh image, and repainting only the
    // changed places keeps the screen equal to the frame.
    void frameAfterFrame()
    {
        const QSize size(1024, 768);
        FrameImage frame;
        frame.Reset(size, ButtonFace);
        QCOMPARE(frame.TakeChanged().size(), 1u);
        frame.Reset(size, ButtonFace);
        QCOMPARE(frame.TakeChanged()[0], QRect(QPoint(0, 0), size));
        QVERIFY(frame.TakeChanged().empty());
        QImage shown = frame.Image();
        std::mt19937 dice(2024);
        const auto on = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(dice); };
        Scene scene;
        for (int tick = 0; tick < 150; ++tick) {
            if (tick % 50 == 0) // a new serve rebuilds the walls
                scene = Scene();
            // Each piece stands still on some ticks, as the borders always do.
            if (on(0, 1))
                scene.BallX = on(-40, 1060), scene.BallY = on(-40, 800);
            if (on(0, 1))
                scene.EnemyY = on(-80, 800), scene.PlayerY = on(-80, 800);
            if (tick == 1)
                scene.BallX = scene.PlayerY = -32768, scene.BallY = scene.EnemyY = 32767;
            if (on(0, 1))
                scene.PlayerWall[on(0, 599)] = scene.EnemyWall[on(0, 599)] = false;
            if (on(0, 1))
                scene.Bullets.resize(on(0, 6));
            for (QPoint& b : scene.Bullets)
                if (on(0, 1))
                    b = {on(-5, 1030), on(-5, 770)};
            for (int stray = tick % 10 ? 0 : 100; stray > 0; --stray)
                frame.AndPixel(on(0, 1023), on(0, 767), 0);
            const Sprites& sprites = tick < 120 ? Coloured : Reloaded;
            scene.Draw(frame, sprites);
            FrameImage fresh;
            fresh.Reset(size, ButtonFace);
            scene.Draw(fresh, sprites);
            QVERIFY2(frame.Image() == fresh.Image(), qPrintable(QString("tick %1").arg(tick)));
            QPainter painter(&shown);
            for (const QRect& changed : frame.TakeChanged())
                painter.drawImage(changed, frame.Image(), changed);
            painter.end();
            QVERIFY2(shown == frame.Image(), qPrintable(QString("tick %1").arg(tick)));
        }
        QVERIFY(frame.TakeChanged().empty()); // nothing drawn since
        frame.Cls();
        QCOMPARE(frame.Image(), Solid(size, ButtonFace));
    }
};

QTEST_MAIN(TestRender)
#include "tst_render.moc"
