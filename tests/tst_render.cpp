// Catches sprite files misread or bad ones taken, reads off a picture, wrong ANDs, clips or arena, stale pixels.
#include "Arena.h"
#include "clsFunctions.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

constexpr QRgb ButtonFace = 0xFFD4D0C8; // shares bits with neither black nor white

} // namespace

class TestRender : public QObject {
    Q_OBJECT

private slots:
    // A 2 x 2 picture inside white memory: a read past any of its edges would come back white.
    void pixelReadsStayInside()
    {
        QImage memory(4, 4, QImage::Format_RGB32);
        memory.fill(Qt::white);
        memory.setPixel(1, 1, 0xFF123456);
        const SpriteSurface sprite(
            QImage(memory.scanLine(1) + 4, 2, 2, memory.bytesPerLine(), memory.format()));
        QCOMPARE(sprite.Pixel(0, 0), 0x123456u);
        for (QPoint outside : {QPoint(-1, 0), QPoint(0, -1), QPoint(2, 0), QPoint(0, 2)})
            QCOMPARE(sprite.Pixel(outside.x(), outside.y()), 0u);
    }

    void frameAfterFrame_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("a screen larger than the arena") << QSize(1024, 768);
        QTest::newRow("the arena's size, its borders just off it") << QSize(800, 600);
    }
    // Frames of play from sprite files of ours, the paddle's and the ball's smaller than their regions and
    // the bullet's a byte short. Each piece moves or stands still by turns and goes off the image's edges;
    // walls break, their end rows too, and are built again; some frames end in more marks, grey or black
    // by turns, than the image keeps apart, or in one alone. Each frame is the scene as Qt's own AND paints
    // it (black beyond a picture), and the screen, updated only where the frame reports a change, equals it.
    void frameAfterFrame()
    {
        QFETCH(QSize, size);
        QImage paddle(25, 75, QImage::Format_RGB32), ball(25, 25, QImage::Format_RGB32),
            wall(1, 1, QImage::Format_RGB32);
        paddle.fill(Qt::black); // as ANDed: its 10 x 10 picture, black beyond
        QPainter(&paddle).fillRect(0, 0, 10, 10, Qt::white);
        QTemporaryDir folder;
        std::vector<SpriteSurface> sprites;
        FrameImage frame;
        frame.Reset(size, ButtonFace);
        QImage shown(size, QImage::Format_RGB32);
        shown.fill(Qt::black);
        std::mt19937 dice(2024);
        const auto on = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(dice); };
        std::array<bool, Arena::WallRows> playerWall, enemyWall;
        int ballX = 0, ballY = 0, enemyY = 0, playerY = 0;
        std::vector<QPoint> bullets;
        paddle.setPixel(9, 0, 0xFF123456); // the last row in a bottom-up file
        ball.fill(0xFFFFFF00);             // colours whose ANDs tell apart from copies
        wall.fill(0xFFFF00FF);
        QPainter(&ball).fillRect(20, 0, 5, 25, Qt::black); // as ANDed: its 20 x 25 picture, black beyond
        for (const QImage& picture : {paddle.copy(0, 0, 10, 10), ball.copy(0, 0, 20, 25), wall, wall}) {
            const QString path = folder.filePath(QString::number(sprites.size()));
            QVERIFY(picture.save(path, "BMP")
                    && (sprites.size() != 2 || QFile::resize(path, QFile(path).size() - 1)));
            sprites.push_back(clsFunctions::LoadSpriteDC(path));
        }
        for (int tick = 0; tick < 90; ++tick) {
            if (tick % 30 == 0) // a serve: the walls whole again
                playerWall.fill(true), enemyWall.fill(true);
            else if (on(0, 1)) // the first rows lost after a serve are the walls' ends
                playerWall[tick % 30 < 5 ? 0 : on(0, 599)] = enemyWall[tick % 30 < 5 ? 599 : on(0, 599)] =
                    false;
            if (tick < 2) // the ball's first column and row on the image, then its last column and rows
                ballX = tick ? -24 : size.width() - 1, ballY = tick ? -20 : size.height() - 1;
            else if (on(0, 1))
                ballX = on(-40, 1060), ballY = on(-40, 800);
            if (on(0, 1))
                enemyY = on(-80, 800), playerY = on(-80, 800);
            if (on(0, 1))
                bullets.resize(on(0, 6));
            for (QPoint& bullet : bullets)
                bullet = on(0, 1) ? QPoint(on(-5, 1030), on(-5, 770)) : bullet;
            DrawArena(frame, {sprites[0], sprites[1], sprites[3]},
                      {ballX, ballY, enemyY, playerY, playerWall, enemyWall});
            QImage painted(size, QImage::Format_RGB32);
            painted.fill(ButtonFace);
            QPainter painter(&painted);
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            painter.fillRect(0, 600, 801, 1, wall.pixel(0, 0));
            painter.fillRect(800, 0, 1, 601, wall.pixel(0, 0));
            for (int y = 0; y < 600; ++y) {
                if (playerWall[y])
                    painter.drawImage(750, y, wall);
                if (enemyWall[y])
                    painter.drawImage(50, y, wall);
            }
            painter.drawImage(ballX, ballY, ball);
            painter.drawImage(0, enemyY, paddle);
            painter.drawImage(780, playerY, paddle);
            for (QPoint bullet : bullets) {
                DrawBullet(frame, sprites[2], bullet.x(), bullet.y()); // unreadable: all black
                painter.fillRect(bullet.x(), bullet.y(), 3, 3, Qt::black);
            }
            // Marks, grey or black by turns: more than the image keeps apart, then one alone for three ticks.
            const int marks = tick % 10 < 3 ? 30 : tick % 10 < 6;
            const QRgb ink = tick % 2 ? 0x808080 : 0;
            for (int at = 100; at < 100 + 3 * marks; at += 3)
                frame.AndFill(at, at, 1, 1, ink), painter.fillRect(at, at, 1, 1, QColor(ink));
            if (marks > 1) // the last ones grew into one: around them all, and white, no pixel changes
                frame.AndFill(100, 100, 90, 90, 0xFFFFFF);
            painter.end();
            QVERIFY2(frame.Image() == painted, qPrintable(QString("tick %1").arg(tick)));
            painter.begin(&shown);
            for (const QRect& changed : frame.TakeChanged())
                painter.drawImage(changed, frame.Image(), changed);
            painter.end();
            QVERIFY2(shown == frame.Image(), qPrintable(QString("tick %1").arg(tick)));
        }
    }
};

QTEST_MAIN(TestRender)
#include "tst_render.moc"
