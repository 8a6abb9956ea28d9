#include "render/report_pages.h"

#include <algorithm>
#include <cmath>

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include "render/drawing_replay.h"

namespace varnelle::gui {

QFont policeRapport() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    return font;
}

void prepareA4(QPagedPaintDevice& device) {
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

bool imprimeRapport(const RapportListe& rapport, QPagedPaintDevice& device, std::size_t premiere,
                    std::size_t derniere) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QFont police = policeRapport();
    const FontMetrics metrics(police, device, Unit::HundredthMm);
    const std::size_t fin =
        std::min(rapport.nbPages(),
                 derniere == static_cast<std::size_t>(-1) ? rapport.nbPages() : derniere + 1);
    for (std::size_t p = premiere; p < fin; ++p) {
        if (p > premiere && !device.newPage()) return false;
        replayDrawing(rapport.page(p, metrics), painter, police);
    }
    return painter.end();
}

QImage imagePageRapport(const RapportListe& rapport, std::size_t p, int dpi) {
    const auto pixels = [dpi](int centiemes) {
        return static_cast<int>(std::lround(centiemes * dpi / 2540.0));
    };
    QImage image(pixels(page_a4::kLargeur), pixels(page_a4::kHauteur), QImage::Format_RGB32);
    const int parMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(parMetre);
    image.setDotsPerMeterY(parMetre);
    image.fill(Qt::white);
    const QFont police = policeRapport();
    const FontMetrics metrics(police, image, Unit::HundredthMm);
    QPainter painter(&image);
    replayDrawing(rapport.page(p, metrics), painter, police);
    return image;
}

}  // namespace varnelle::gui
