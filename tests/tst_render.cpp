// Sprites and the frame: loading pictures of any quality, the AND rule, the frame-drawing step
// against a plain pixel-by-pixel model, clipping, clearing and the repaint rectangle.
#include "Arena.h"
#include "FrameImage.h"
#include "SpriteSurface.h"
#include "clsFunctions.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <random>
#include <vector>

namespace {

constexpr quint32 ButtonFace = 0xD4D0C8; // shares bits with neither black nor white sprites
constexpr quint32 White = 0xFFFFFF;
constexpr QSize Desktop(1920, 1080);

QImage Solid(QSize size, quint32 colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour | 0xFF000000u);
    return picture;
}

SpriteSurface Sprite(int w, int h, quint32 colour) { return SpriteSurface(Solid(QSize(w, h), colour)); }

struct Scene {
    int BallX = 390, BallY = 290, EnemyY = 260, PlayerY = 262;
    std::array<bool, Arena::WallRows> PlayerWall, EnemyWall;
    std::vector<QPoint> Bullets;
    Scene() { PlayerWall.fill(true), EnemyWall.fill(true); }
};

struct Sprites {
    SpriteSurface Paddle, Ball, Bullet, Wall;
};

void Draw(FrameImage& frame, const Sprites& s, const Scene& scene)
{
    DrawArena(frame, {s.Paddle, s.Ball, s.Wall},
              {scene.BallX, scene.BallY, scene.EnemyY, scene.PlayerY, scene.PlayerWall, scene.EnemyWall});
    for (QPoint b : scene.Bullets)
        DrawBullet(frame, s.Bullet, b.x(), b.y());
}

// The frame as the drawing step describes it, one single-pixel copy at a time on a freshly
// cleared picture: a slow model that shares nothing with the drawing code but Pixel().
QImage Model(QSize size, const Sprites& s, const Scene& scene)
{
    QImage image = Solid(size, ButtonFace);
    const auto copy = [&](int x, int y, int w, int h, const SpriteSurface& from) {
        for (int dy = 0; dy < h; ++dy)
            for (int dx = 0; dx < w; ++dx)
                if (image.rect().contains(x + dx, y + dy))
                    image.setPixel(x + dx, y + dy, image.pixel(x + dx, y + dy) & (from.Pixel(dx, dy) | 0xFF000000u));
    };
    for (int x = 0; x <= 800; ++x)
        copy(x, 600, 1, 1, s.Wall);
    for (int y = 0; y <= 600; ++y)
        copy(800, y, 1, 1, s.Wall);
    for (int i = 0; i < Arena::WallRows; ++i) {
        if (scene.PlayerWall[i])
            copy(750, i, 1, 1, s.Wall);
        if (scene.EnemyWall[i])
            copy(50, i, 1, 1, s.Wall);
    }
    copy(scene.BallX, scene.BallY, 25, 25, s.Ball);
    copy(0, scene.EnemyY, 25, 75, s.Paddle);
    copy(780, scene.PlayerY, 25, 75, s.Paddle);
    for (QPoint b : scene.Bullets)
        copy(b.x(), b.y(), 3, 3, s.Bullet);
    return image;
}

quint32 At(const FrameImage& frame, int x, int y) { return frame.Image().pixel(x, y) & White; }

} // namespace

class TestRender : public QObject {
    Q_OBJECT

    QTemporaryDir Files;
    Sprites Real; // the game's own pictures, copied beside this test
    // Colours whose ANDs are told apart: an AND drawn as a plain copy shows at once.
    Sprites Coloured{Sprite(25, 75, 0x00FFFF), Sprite(25, 25, 0xFFFF00), Sprite(3, 3, 0xF0F0F0),
                     Sprite(1, 1, 0xFF00FF)};

    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Files.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    static QString Beside(const QString& name) { return QCoreApplication::applicationDirPath() + '/' + name; }

private slots:
    void initTestCase()
    {
        QVERIFY(Files.isValid());
        Real = {clsFunctions::LoadSpriteDC(Beside("PADDLE.bmp")), clsFunctions::LoadSpriteDC(Beside("BALL.bmp")),
                clsFunctions::LoadSpriteDC(Beside("BULLET.bmp")), clsFunctions::LoadSpriteDC(Beside("WALL.bmp"))};
    }

    void realSpritesArePureBlackOnWhite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("region");
        QTest::newRow("paddle") << "PADDLE.bmp" << QSize(25, 75);
        QTest::newRow("ball") << "BALL.bmp" << QSize(25, 25);
        QTest::newRow("bullet") << "BULLET.bmp" << QSize(3, 3);
        QTest::newRow("wall") << "WALL.bmp" << QSize(1, 1);
    }
    // Any grey would leave stray colour bits wherever it is ANDed onto the frame.
    void realSpritesArePureBlackOnWhite()
    {
        QFETCH(QString, file);
        QFETCH(QSize, region);
        const SpriteSurface sprite = clsFunctions::LoadSpriteDC(Beside(file));
        QCOMPARE(QImage(Beside(file)).size(), region);
        int black = 0;
        for (int y = 0; y < region.height(); ++y)
            for (int x = 0; x < region.width(); ++x) {
                const quint32 p = sprite.Pixel(x, y);
                QVERIFY2(p == 0 || p == White, qPrintable(QString("(%1, %2) is %3").arg(x).arg(y).arg(p, 6, 16)));
                black += p == 0;
            }
        QVERIFY(black * 2 > region.width() * region.height()); // mostly ink, not a blank
    }

    void resources()
    {
        const QList<QSize> sizes = QIcon(":/ICON").availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
        const QImage invisible = QImage(":/INVIS").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(invisible.size(), QSize(32, 32));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                QCOMPARE(qAlpha(invisible.pixel(x, y)), 0);
        QCOMPARE(QImage(":/QUILLON").size(), QSize(137, 150));
    }

    void unreadableFileGivesNoPicture_data()
    {
        QTest::addColumn<QString>("path");
        QByteArray bmp;
        QBuffer buffer(&bmp);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && Solid(QSize(10, 10), White).save(&buffer, "BMP"));
        QTest::newRow("missing") << Files.filePath("nothing here.bmp");
        QTest::newRow("empty") << Write("empty.bmp", {});
        QTest::newRow("text") << Write("text.bmp", "This is not a picture.\n");
        QTest::newRow("header only") << Write("header.bmp", bmp.left(54));
        QTest::newRow("cut in the pixels") << Write("half.bmp", bmp.left(bmp.size() / 2));
        QTest::newRow("one byte short") << Write("short.bmp", bmp.left(bmp.size() - 1));
        QTest::newRow("a folder") << Files.path();
    }
    // No picture, and it draws as solid black.
    void unreadableFileGivesNoPicture()
    {
        QFETCH(QString, path);
        const SpriteSurface sprite = clsFunctions::LoadSpriteDC(path);
        QVERIFY(!sprite.HasPicture());
        FrameImage frame;
        frame.Reset(QSize(30, 30), White);
        frame.AndCopy(5, 5, 3, 3, sprite);
        QCOMPARE(At(frame, 5, 5), 0u);
        QCOMPARE(At(frame, 7, 7), 0u);
        QCOMPARE(At(frame, 8, 8), White);
    }

    void oversizedPictureIsRefused_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("5000 x 5000") << 5000;
        QTest::newRow("10000 x 10000") << 10000;
    }
    // A file that claims a picture of a hundred megabytes or more is refused before the memory
    // is taken, even though its first rows are there to be read.
    void oversizedPictureIsRefused()
    {
        QFETCH(int, side);
        const quint32 pixelBytes = quint32(side) * quint32(side) * 3;
        QByteArray bmp;
        QDataStream out(&bmp, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("BM", 2);
        out << quint32(54 + pixelBytes) << quint32(0) << quint32(54) << quint32(40) << qint32(side) << qint32(side)
            << quint16(1) << quint16(24) << quint32(0) << pixelBytes << qint32(0) << qint32(0) << quint64(0);
        bmp.append(side * 3 * 10, '\0');
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("exceeds the current allocation limit"));
        QVERIFY(!clsFunctions::LoadSpriteDC(Write("huge.bmp", bmp)).HasPicture());
    }

    // A 10 x 10 paddle picture: its own pixels are loaded, and the rest of the 25 x 75 region
    // reads black, also when the copy is cut off at the top left.
    void smallPictureReadsBlackBeyondItsEdges()
    {
        QImage picture = Solid(QSize(10, 10), White);
        picture.setPixel(9, 9, 0xFF123456);
        QVERIFY(picture.save(Files.filePath("small.bmp"), "BMP"));
        const SpriteSurface sprite = clsFunctions::LoadSpriteDC(Files.filePath("small.bmp"));
        QCOMPARE(sprite.Pixel(9, 9), 0x123456u);
        QCOMPARE(sprite.Pixel(10, 9), 0u);
        QCOMPARE(sprite.Pixel(-1, 0), 0u);
        FrameImage frame;
        frame.Reset(QSize(40, 90), White);
        frame.AndCopy(5, 5, 25, 75, sprite);
        QCOMPARE(At(frame, 5, 5), White);
        QCOMPARE(At(frame, 14, 14), 0x123456u);
        QCOMPARE(At(frame, 15, 14), 0u);
        QCOMPARE(At(frame, 14, 15), 0u);
        QCOMPARE(At(frame, 29, 79), 0u);
        QCOMPARE(At(frame, 30, 79), White);
        QCOMPARE(At(frame, 29, 80), White);
        frame.Reset(QSize(40, 90), White);
        frame.AndCopy(-3, -4, 25, 75, sprite);
        QCOMPARE(At(frame, 5, 5), White);
        QCOMPARE(At(frame, 6, 5), 0x123456u);
        QCOMPARE(At(frame, 7, 5), 0u);
        QCOMPARE(At(frame, 6, 6), 0u);
    }

    void andRule_data()
    {
        QTest::addColumn<quint32>("under");
        QTest::addColumn<quint32>("ink");
        QTest::addColumn<quint32>("result");
        QTest::newRow("white is transparent") << ButtonFace << White << ButtonFace;
        QTest::newRow("black draws black") << ButtonFace << 0u << 0u;
        QTest::newRow("colours keep common bits") << ButtonFace << 0x00FF0Fu << 0x00D008u;
        QTest::newRow("nothing in common") << 0x0F0F0Fu << 0xF0F0F0u << 0u;
    }
    // The four ways of drawing all combine by the same AND, the picture stays opaque, and
    // nothing off the image is drawn (not even on the next row).
    void andRule()
    {
        QFETCH(quint32, under);
        QFETCH(quint32, ink);
        QFETCH(quint32, result);
        FrameImage frame;
        frame.Reset(QSize(10, 10), under);
        frame.AndPixel(1, 1, ink);
        frame.AndFill(2, 2, 2, 1, ink);
        const bool rows[] = {true};
        frame.AndColumn(4, 4, rows, ink);
        frame.AndCopy(5, 5, 1, 1, Sprite(1, 1, ink));
        for (QPoint off : {QPoint(10, 0), QPoint(-1, 9), QPoint(0, 10), QPoint(0, -1)}) {
            frame.AndPixel(off.x(), off.y(), ink);
            frame.AndColumn(off.x(), off.y(), rows, ink);
        }
        QImage expected = Solid(QSize(10, 10), under);
        for (QPoint p : {QPoint(1, 1), QPoint(2, 2), QPoint(3, 2), QPoint(4, 4), QPoint(5, 5)})
            expected.setPixel(p, result | 0xFF000000u);
        QCOMPARE(frame.Image(), expected);
    }

    void overlapIsOrderIndependent()
    {
        const SpriteSurface a = Sprite(10, 10, 0xFF0F0F), b = Sprite(10, 10, 0x0FFF0F);
        FrameImage ab, ba;
        ab.Reset(QSize(30, 30), ButtonFace);
        ba.Reset(QSize(30, 30), ButtonFace);
        ab.AndCopy(5, 5, 10, 10, a);
        ab.AndCopy(10, 8, 10, 10, b);
        ba.AndCopy(10, 8, 10, 10, b);
        ba.AndCopy(5, 5, 10, 10, a);
        QCOMPARE(ab.Image(), ba.Image());
        QCOMPARE(At(ab, 12, 12), ButtonFace & 0xFF0F0F & 0x0FFF0F);
    }

    void frameMatchesModel_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("ball");
        QTest::addColumn<QPoint>("paddles"); // the computer's and the player's top row
        QTest::newRow("desktop") << Desktop << QPoint(390, 290) << QPoint(260, 262);
        QTest::newRow("just the arena") << QSize(801, 601) << QPoint(776, 576) << QPoint(526, 530);
        QTest::newRow("one short of the borders") << QSize(800, 600) << QPoint(790, 590) << QPoint(0, 530);
        QTest::newRow("smaller screen") << QSize(640, 480) << QPoint(630, 470) << QPoint(-40, 470);
        QTest::newRow("tiny") << QSize(7, 3) << QPoint(-20, -20) << QPoint(-70, -74);
        QTest::newRow("ball before the top left") << Desktop << QPoint(-12, -24) << QPoint(-74, 599);
        QTest::newRow("16-bit extremes") << Desktop << QPoint(-32768, 32767) << QPoint(32767, -32768);
    }
    void frameMatchesModel()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, ball);
        QFETCH(QPoint, paddles);
        Scene scene;
        scene.BallX = ball.x(), scene.BallY = ball.y();
        scene.EnemyY = paddles.x(), scene.PlayerY = paddles.y();
        for (int row : {0, 1, 200, 201, 599})
            scene.PlayerWall[row] = false;
        for (int row : {7, 300, 598})
            scene.EnemyWall[row] = false;
        scene.Bullets = {{100, 100}, {-1, -1}, {798, 598}, {size.width() - 1, size.height() - 2}};
        FrameImage frame;
        frame.Reset(size, ButtonFace);
        Draw(frame, Coloured, scene);
        QCOMPARE(frame.Image(), Model(size, Coloured, scene));
    }

    // The arena's landmarks, named one by one on a desktop-sized frame. The player's paddle
    // (x = 780..804) crosses the right border, and there the two are ANDed.
    void arenaLandmarks()
    {
        Scene scene;
        scene.PlayerWall[200] = false;
        scene.EnemyWall[450] = false;
        FrameImage frame;
        frame.Reset(Desktop, ButtonFace);
        Draw(frame, Coloured, scene);
        const quint32 wall = ButtonFace & 0xFF00FF, paddle = ButtonFace & 0x00FFFF;
        for (int x = 0; x <= 800; ++x)
            QCOMPARE(At(frame, x, 600), wall);
        for (int y = 0; y <= 600; ++y)
            QCOMPARE(At(frame, 800, y), y >= 262 && y < 262 + 75 ? wall & paddle : wall);
        const struct {
            int X, Y;
            quint32 Colour;
        } landmarks[] = {
            {801, 400, ButtonFace}, {300, 601, ButtonFace}, {801, 601, ButtonFace}, // beyond the borders
            {750, 199, wall}, {750, 200, ButtonFace}, {750, 201, wall},             // broken rows
            {50, 449, wall}, {50, 450, ButtonFace}, {50, 451, wall},
            {390 + 12, 290 + 12, ButtonFace & 0xFFFF00}, // the ball's middle
            {0, 260, paddle}, {24, 334, paddle}, {25, 334, ButtonFace}, {24, 335, ButtonFace},
            {780, 262, paddle}, {804, 336, paddle}, {805, 336, ButtonFace}, {804, 337, ButtonFace},
        };
        for (const auto& l : landmarks)
            QVERIFY2(At(frame, l.X, l.Y) == l.Colour, qPrintable(QString("(%1, %2)").arg(l.X).arg(l.Y)));

        // The same frame again: the repaint stays on the arena, not the whole screen.
        frame.TakeChanged();
        Draw(frame, Coloured, scene);
        const QRect changed = frame.TakeChanged();
        QVERIFY(!changed.isEmpty() && QRect(0, 0, 805, 601).contains(changed));
    }

    // Clearing leaves nothing behind, however many separate places were drawn on.
    void clsRestoresBackground()
    {
        FrameImage frame;
        frame.Reset(Desktop, ButtonFace);
        Scene scene;
        scene.BallX = 1500;
        Draw(frame, Real, scene);
        for (int i = 0; i < 100; ++i)
            frame.AndPixel(17 * i % 1920, 31 * i % 1080, 0);
        frame.AndCopy(1900, 1070, 40, 40, SpriteSurface());
        QVERIFY(frame.Image() != Solid(Desktop, ButtonFace));
        frame.Cls();
        QCOMPARE(frame.Image(), Solid(Desktop, ButtonFace));
    }

    // Frame after frame of play with everything on the move: each frame equals the model, and
    // repainting only the changed rectangle keeps the screen equal to the frame.
    void changedRectCoversEveryChange()
    {
        const QSize size(1024, 768);
        FrameImage frame;
        frame.Reset(size, ButtonFace);
        QCOMPARE(frame.TakeChanged(), QRect(QPoint(0, 0), size));
        QCOMPARE(frame.TakeChanged(), QRect());
        QImage shown = frame.Image();
        std::mt19937 dice(2024);
        const auto anywhere = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(dice); };
        Scene scene;
        for (int tick = 0; tick < 150; ++tick) {
            if (tick % 50 == 0) // a new serve rebuilds the walls
                scene = Scene();
            scene.BallX = anywhere(-40, 1060), scene.BallY = anywhere(-40, 800);
            scene.EnemyY = anywhere(-80, 800), scene.PlayerY = anywhere(-80, 800);
            scene.PlayerWall[anywhere(0, 599)] = false;
            scene.EnemyWall[anywhere(0, 599)] = false;
            scene.Bullets.resize(anywhere(0, 6));
            for (QPoint& b : scene.Bullets)
                b = {anywhere(-5, 1030), anywhere(-5, 770)};
            const Sprites& sprites = tick % 3 ? Real : Coloured;
            Draw(frame, sprites, scene);
            QCOMPARE(frame.Image(), Model(size, sprites, scene));
            const QRect changed = frame.TakeChanged();
            QPainter(&shown).drawImage(changed, frame.Image(), changed);
            QVERIFY2(shown == frame.Image(), qPrintable(QString("tick %1").arg(tick)));
        }
        QCOMPARE(frame.TakeChanged(), QRect()); // nothing drawn since
    }
};

QTEST_MAIN(TestRender)
#include "tst_render.moc"
