#include <QtTest>

#include "toolkit/drawing_surface.h"

using namespace varnelle;
using namespace varnelle::gui;

namespace {

constexpr Couleur kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kWhite = 0xFFFFFF;

QImage whiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QRgb rgb(Couleur c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace

class DrawingSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void rectanglesCoverMinToMaxMinusOne() {
        for (const Rect& r : {Rect{2, 2, 8, 6, kRed, kBlue}, Rect{8, 6, 2, 2, kRed, kBlue}}) {
            QImage image = whiteImage(12, 10);
            DrawingSurface::replay(Drawing{{r}}, image, DrawingSurface::surfaceFont());
            QCOMPARE(image.pixel(2, 2), rgb(kRed));
            QCOMPARE(image.pixel(7, 5), rgb(kRed));
            QCOMPARE(image.pixel(7, 3), rgb(kRed));
            QCOMPARE(image.pixel(3, 3), rgb(kBlue));
            QCOMPARE(image.pixel(6, 4), rgb(kBlue));
            QCOMPARE(image.pixel(8, 2), rgb(kWhite));
            QCOMPARE(image.pixel(2, 6), rgb(kWhite));
            QCOMPARE(image.pixel(1, 1), rgb(kWhite));
        }
    }

    void linesLeaveOutTheirEndAndDotsSkipEveryOther() {
        QImage image = whiteImage(12, 10);
        DrawingSurface::replay(
            Drawing{{Line{1, 0, 1, 6, kGreen, true}, Line{3, 0, 7, 0, kRed, false}}}, image,
            DrawingSurface::surfaceFont());
        for (int y = 0; y < 7; ++y)
            QCOMPARE(image.pixel(1, y), rgb(y % 2 == 0 && y < 6 ? kGreen : kWhite));
        for (int x = 2; x < 9; ++x)
            QCOMPARE(image.pixel(x, 0), rgb(x >= 3 && x < 7 ? kRed : kWhite));
    }

    void textIsDrawnOnItsOwnBackground() {
        QImage image = whiteImage(60, 30);
        const QFont font = DrawingSurface::surfaceFont();
        DrawingSurface::replay(Drawing{{Text{5, 4, "\xC9t\xE9", kRed, kBlue}}}, image, font);
        const FontMetrics metrics(font);
        const int width = metrics.width("\xC9t\xE9");
        QVERIFY(width > 0);
        int glyphPixels = 0;
        for (int y = 4; y < 4 + metrics.height(); ++y)
            for (int x = 5; x < 5 + width; ++x) {
                QVERIFY(image.pixel(x, y) != rgb(kWhite));
                glyphPixels += image.pixel(x, y) == rgb(kRed) ? 1 : 0;
            }
        QVERIFY(glyphPixels > 0);
        QCOMPARE(image.pixel(5 + width, 4), rgb(kWhite));
        QCOMPARE(image.pixel(4, 4), rgb(kWhite));
    }

    void theSurfaceDrawsAtItsSizeAndReportsClicks() {
        DrawingSurface surface;
        surface.resize(50, 40);
        int askedWidth = 0, askedHeight = 0;
        surface.setPainter([&](int width, int height, const TextMetrics&) {
            askedWidth = width;
            askedHeight = height;
            return Drawing{{Rect{0, 0, width, height, kBlue, kGreen}}};
        });
        const QImage shown = surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(askedWidth, 50);
        QCOMPARE(askedHeight, 40);
        QCOMPARE(shown.pixel(0, 0), rgb(kBlue));
        QCOMPARE(shown.pixel(49, 39), rgb(kBlue));
        QCOMPARE(shown.pixel(20, 20), rgb(kGreen));

        QPoint clicked, doubleClicked;
        surface.setClickHandler([&](int x, int y) { clicked = QPoint(x, y); });
        surface.setDoubleClickHandler([&](int x, int y) { doubleClicked = QPoint(x, y); });
        QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(7, 9));
        QCOMPARE(clicked, QPoint(7, 9));
        QTest::mouseDClick(&surface, Qt::LeftButton, {}, QPoint(30, 11));
        QCOMPARE(doubleClicked, QPoint(30, 11));
    }
};

QTEST_MAIN(DrawingSurfaceTest)
#include "drawing_surface_test.moc"
