#include <QCryptographicHash>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "core/drawing/bar_chart.h"
#include "core/drawing/dep_journ_chart.h"
#include "core/drawing/operations_graph.h"
#include "core/drawing/period_charts.h"
#include "core/drawing/types_dep_cells.h"
#include "core/model/locale_facts.h"
#include "core/stats/operations_window_lists.h"
#include "core/storage/data_file.h"
#include "core/storage/profile_file.h"
#include "gui/toolkit/drawing_surface.h"
#include "render/drawing_replay.h"
#include "render/interface_font.h"

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

QByteArray pixelHash(const QList<QImage>& images) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QImage& image : images) {
        hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
        for (int y = 0; y < image.height(); ++y)
            hash.addData(QByteArrayView(image.constScanLine(y), image.width() * 4));
    }
    return hash.result().toHex().left(16);
}

// The sample budget's charts at a few sizes (the command line's PNGs are those of the period
// graphs), then its months-due and gauge cells replayed through a painter moved to each cell.
QByteArrayList samplePictureHashes() {
    setLocaleFacts(frenchLocaleFacts());
    ProfileFile file;
    file.open(VARNELLE_EXAMPLE_BUDGET);
    Budget budget;
    ChargeFichier(file, budget);
    budget.calculeTout();
    const TParam& param = budget.Param;
    const FontMetrics metrics(surfaceFont()), fixedMetrics(fixedPitchFont());
    QByteArrayList hashes;
    auto chart = [&](auto&& paint) {
        QList<QImage> images;
        for (const QSize size :
             {QSize(633, 281), QSize(400, 300), QSize(120, 90), QSize(1000, 500)}) {
            images << whiteImage(size.width(), size.height());
            replayDrawing(paint(size.width(), size.height()), images.back(), surfaceFont());
        }
        hashes << pixelHash(images);
    };
    for (const auto graphe : {GrapheDePeriode::TypesDep, GrapheDePeriode::Operations})
        for (const auto& [from, to] : {std::pair{"", ""}, std::pair{"01/03/2025", "30/04/2025"}})
            chart([&](int w, int h) {
                return DessineGraphePeriode(graphe, budget, from, to, w, h, metrics).drawing;
            });
    for (const char* code : {"ALI", "CAR", "DIV"}) {
        const auto listes = ConstruitListesOperations(budget, code, "", "", 0, nullptr);
        chart([&](int w, int h) {
            return DessineGrapheOperationsTypeDep(w, h, metrics, listes.Groupes, param);
        });
    }
    chart([&](int w, int h) {
        return DessineDepJourn(w, h, metrics, budget, budget.nNbJoursMois(), param);
    });
    for (const QSize cell : {QSize(104, 15), QSize(80, 19)}) {
        QImage grid = whiteImage(2 * cell.width(), cell.height() * int(budget.TypesDep.size()));
        QPainter painter(&grid);
        for (const TTypeDep& type : budget.TypesDep) {
            replayDrawing(DessineMoisPaiement(cell.width(), cell.height(), fixedMetrics,
                                              type.nPeriodicite, param),
                          painter, fixedPitchFont());
            painter.translate(cell.width(), 0);
            replayDrawing(DessineJauge(cell.width(), cell.height(), type, param), painter,
                          fixedPitchFont());
            painter.translate(-cell.width(), cell.height());
        }
        painter.end();
        hashes << pixelHash({grid});
    }
    return hashes;
}

}  // namespace

class DrawingSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void rectanglesCoverMinToMaxMinusOne() {
        for (const Rect& r : {Rect{2, 2, 8, 6, kRed, kBlue}, Rect{8, 6, 2, 2, kRed, kBlue}}) {
            QImage image = whiteImage(12, 10);
            replayDrawing(Drawing{{r}}, image, surfaceFont());
            QCOMPARE(image.pixel(2, 2), rgb(kRed));
            QCOMPARE(image.pixel(7, 5), rgb(kRed));
            QCOMPARE(image.pixel(3, 3), rgb(kBlue));
            QCOMPARE(image.pixel(6, 4), rgb(kBlue));
            QCOMPARE(image.pixel(8, 2), rgb(kWhite));
            QCOMPARE(image.pixel(2, 6), rgb(kWhite));
        }
    }

    void linesLeaveOutTheirEndAndDotsSkipEveryOther() {
        QImage image = whiteImage(12, 10);
        replayDrawing(Drawing{{Line{1, 0, 1, 6, kGreen, true}, Line{3, 0, 7, 0, kRed, false}}},
                      image, surfaceFont());
        for (int y = 0; y < 7; ++y)
            QCOMPARE(image.pixel(1, y), rgb(y % 2 == 0 && y < 6 ? kGreen : kWhite));
        for (int x = 2; x < 9; ++x)
            QCOMPARE(image.pixel(x, 0), rgb(x >= 3 && x < 7 ? kRed : kWhite));
    }

    void textIsDrawnOnItsOwnBackground() {
        QImage image = whiteImage(60, 30);
        const QFont font = surfaceFont();
        replayDrawing(Drawing{{Text{5, 4, "\xC9t\xE9", kRed, kBlue}}}, image, font);
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

    // Labels are copied once drawn; the copies must lay down what drawing each in place does,
    // for overlapping labels, accents and descenders too.
    void repeatedLabelsLookAsDrawnInPlace() {
        const QFont font = surfaceFont();
        const std::vector<Text> labels{{2, 3, "j\xC9", kRed, kBlue},   {6, 3, "12", kGreen, kBlue},
                                       {2, 12, "j\xC9", kRed, kWhite}, {9, 5, "12", kGreen, kRed},
                                       {30, 20, "j\xC9", kBlue, kRed}, {31, 20, "", kRed, kGreen}};
        Drawing drawing;
        QImage expected = whiteImage(60, 40);
        QPainter painter(&expected);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        for (const Text& label : labels) {
            drawing.primitives.push_back(label);
            const QString shown = QString::fromLatin1(label.text.c_str());
            painter.fillRect(label.x, label.y, metrics.horizontalAdvance(shown), metrics.height(),
                             QColor::fromRgb(rgb(*label.background)));
            painter.setPen(QColor::fromRgb(rgb(label.color)));
            painter.drawText(label.x, label.y + metrics.ascent(), shown);
        }
        painter.end();
        QImage image = whiteImage(60, 40);
        replayDrawing(drawing, image, font);
        QCOMPARE(image, expected);
    }

    void aPainterMovedToACellGetsTheSameDrawingThere() {
        // The last rectangle runs off the cell, which the image alone cuts where the grid
        // does not.
        const Drawing drawing{{Rect{0, 0, 20, 15, kRed, kBlue}, Line{2, 3, 12, 9, kGreen, true},
                               Text{1, 1, "JFM", kRed, kGreen}, Rect{-5, 10, 8, 30, kRed, kRed}}};
        QImage alone = whiteImage(20, 15);
        replayDrawing(drawing, alone, surfaceFont());
        QImage grid = whiteImage(60, 40);
        QPainter painter(&grid);
        const QFont gridFont(QStringLiteral("Liberation Serif"), 14);
        painter.setFont(gridFont);
        painter.setPen(Qt::magenta);
        painter.translate(30, 20);
        replayDrawing(drawing, painter, surfaceFont());
        // The grid goes on painting with its own state.
        QCOMPARE(painter.font(), gridFont);
        QCOMPARE(painter.pen().color(), QColor(Qt::magenta));
        QCOMPARE(painter.transform().dx(), 30.0);
        painter.end();
        QCOMPARE(grid.copy(30, 20, 20, 15), alone);
        QCOMPARE(grid.pixel(29, 19), rgb(kWhite));
        QCOMPARE(grid.pixel(50, 35), rgb(kWhite));
    }

    // On a 300 dpi image a pen of 1 mm is 12 pixels thick, and a text of its own font is drawn
    // and measured in that font at that resolution; a PDF keeps it as text in that font.
    void aPageInMillimetresLandsOnTheDevicesPixels() {
        const Font titre{"Liberation Serif", 12, Font::kBold};
        const Drawing drawing{{Line{1000, 1000, 5000, 1000, kRed, false, 100},
                               Text{1000, 2000, "Total", kBlue, kGreen, titre}},
                              Unit::HundredthMm};
        QImage page = whiteImage(700, 400);
        page.setDotsPerMeterX(11811);
        page.setDotsPerMeterY(11811);
        replayDrawing(drawing, page, surfaceFont());
        int band = 0;
        for (int y = 90; y < 150; ++y) band += page.pixel(300, y) == rgb(kRed) ? 1 : 0;
        QCOMPARE(band, 12);
        const QFontMetrics device(qFont(titre, surfaceFont()), &page);
        const QPoint end(118 + device.horizontalAdvance("Total"), 236 + device.height());
        QVERIFY(page.pixel(end.x() - 1, end.y() - 1) != rgb(kWhite));
        QCOMPARE(page.pixel(end.x(), 240), rgb(kWhite));
        // 12 points are 4.2 mm; a line of them a little more.
        const int height = FontMetrics(surfaceFont(), page, Unit::HundredthMm).lineHeight(titre);
        QVERIFY2(height > 423 && height < 550, QByteArray::number(height));

        const QTemporaryDir folder;
        QPdfWriter pdf(folder.filePath(QStringLiteral("page.pdf")));
        QVERIFY(replayDrawing(drawing, pdf, surfaceFont()));
        QFile file(folder.filePath(QStringLiteral("page.pdf")));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains("LiberationSerif-Bold"));
        QPdfWriter nowhere(folder.filePath(QStringLiteral("none/page.pdf")));
        QVERIFY(!replayDrawing(drawing, nowhere, surfaceFont()));
    }

    void theSurfaceDrawsAtItsSizeAndReportsClicks() {
        DrawingSurface surface;
        surface.resize(50, 40);
        QSize asked;
        surface.setPainter([&](int width, int height, const TextMetrics&) {
            asked = QSize(width, height);
            return Drawing{{Rect{0, 0, width, height, kBlue, kGreen}}};
        });
        const QImage shown = surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(asked, QSize(50, 40));
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

    // Bars and days many to a pixel column are painted once per column, in the pixels of the
    // whole list drawn one after the other.
    void denseChartsKeepThePixelsOfEveryBarAndDay() {
        const FontMetrics metrics(surfaceFont());
        const TParam param;
        std::vector<TGrapheOperations> groupes;
        std::vector<std::string> dates(28);  // the bars' texts, which they view
        for (int j = 0; j < 28; ++j) dates[j] = dateText({j + 1, 3, 2024});
        SerieOperations serie{ResultatPeriode::Ok, 3000, dateSerial({20, 1, 2020}), {}, {}, 0};
        for (int i = 0; i < 3000; ++i) {
            const Montant montant = (i * 7919) % 2001 - 1000;
            groupes.push_back({i, i, dates[i / 20 % 28], "", montant});
            serie.v.push_back(i % 7 == 0 || i % 11 == 0 ? montant : serie.v.back());
            serie.op.push_back(i % 7 == 0);
            serie.m = std::max(serie.m, std::abs(serie.v.back()));
        }
        for (const QSize size : {QSize(300, 200), QSize(200, 90)}) {
            const int w = size.width(), h = size.height(), axe = (h - 20) / 2 + 10;
            const long double pas = pasBarres(w - 20, groupes.size()), k = (h - 20) / 2 / 1000.0L;
            const std::size_t longueur = longueurLegende(legendeDate(), pas, metrics);
            Drawing barres{{Rect{0, 0, w, h, kWhite, param.nCoulGrapheFDFon}}};
            for (std::size_t i = 0; i < groupes.size(); ++i) {
                const int x = roundHalfEven(i * pas) + 10, n = groupes[i].nMontant > 0;
                const Couleur c = i % 2 ? param.nCoulGrapheFDLgPai : param.nCoulGrapheFDLgImp;
                barres.primitives.push_back(Text{x, n ? axe + 2 : axe - 15,
                                                 std::string(groupes[i].cDate.substr(0, longueur)),
                                                 param.nCoulGrapheFDLeg, param.nCoulGrapheFDFon});
                barres.primitives.push_back(Rect{x, axe, roundHalfEven((i + 1) * pas) + 8,
                                                 axe - roundHalfEven(groupes[i].nMontant * k), c,
                                                 c});
            }
            const long double xs = pasBarres(w - 20, serie.v.size() - 1);
            const auto px = [&](std::size_t d) { return roundHalfEven(d * xs) + 10; };
            const auto py = [&](std::size_t d) { return axe + 1 - roundHalfEven(serie.v[d] * k); };
            Drawing jours{{Rect{0, 0, w, h, kWhite, param.nCoulGrapheOpFon},
                           Line{10, 10, 10, h - 10, param.nCoulGrapheOpAxe},
                           Line{10, axe, w - 10, axe, param.nCoulGrapheOpAxe}}};
            for (std::size_t d = 1; d < serie.v.size(); ++d) {
                if (serie.op[d])
                    jours.primitives.push_back(
                        Line{px(d), axe, px(d), py(d), param.nCoulGrapheOpTrVer, true});
                jours.primitives.push_back(Line{px(d - 1), py(d - 1), px(d), py(d),
                                                MoisImpair(serie.date0 + int(d) - 1)
                                                    ? param.nCoulGrapheOpMsImp
                                                    : param.nCoulGrapheOpMsPai});
            }
            const std::pair<Drawing, Drawing> paires[] = {
                {DessineGrapheOperationsTypeDep(w, h, metrics, groupes, param), barres},
                {DessineGrapheOperations(w, h, serie, param), jours}};
            for (const auto& [dessin, complet] : paires) {
                QImage image = whiteImage(w, h), attendue = whiteImage(w, h);
                replayDrawing(dessin, image, surfaceFont());
                replayDrawing(complet, attendue, surfaceFont());
                QCOMPARE(image, attendue);
                QVERIFY(dessin.primitives.size() * 2 < complet.primitives.size());
            }
        }
    }

    // The pictures as they were before the display list learnt pens, fonts and page units:
    // a drawing that does not ask for them comes out pixel for pixel the same.
    void everyPictureOfTheSampleBudgetIsUnchanged() {
        QCOMPARE(samplePictureHashes(),
                 (QByteArrayList{"46e2eeb05107b312", "b4841a180d263777", "b8fdb8c8632cc462",
                                 "2d11a8c62a4c7a0f", "03c76c076affa6f7", "e99018df706153c0",
                                 "1fdb85b0f7e4bee4", "e30595f53bbdb341", "c940569ae86187f0",
                                 "027e6c7e71855ad4"}));
    }
};

QTEST_MAIN(DrawingSurfaceTest)
#include "drawing_surface_test.moc"
