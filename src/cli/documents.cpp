#include <cstdio>
#include <string>
#include <system_error>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QSaveFile>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "core/drawing/monthly_balances_chart.h"
#include "core/drawing/period_charts.h"
#include "core/reports/list_reports.h"
#include "core/stats/monthly_balances.h"
#include "core/stats/period_graphs.h"
#include "render/budget_text.h"
#include "render/drawing_replay.h"
#include "render/report_pages.h"

namespace varnelle::cli {
namespace {

namespace fs = std::filesystem;

std::string_view refus(ResultatPeriode resultat) {
    switch (resultat) {
    case ResultatPeriode::Ok: break;
    case ResultatPeriode::DateInitialeApresFinale: return "Date Initiale > Date Finale.";
    case ResultatPeriode::AucuneOperation: return "Aucune opération dans l'intervalle de dates.";
    }
    return {};
}

// Encoded in memory first, in the format the name asks for, so that a write error is the file's to
// report, not the encoder's. QSaveFile writes beside the target and renames over it on commit: a
// failure leaves no partial picture behind.
bool writeImage(const QImage& image, const fs::path& output) {
    const std::optional<std::string> format = formatImage(output.string());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!format || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format->c_str()))
        return false;
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(output.string())));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// Qt's own diagnostics (no runtime folder, and the like) are not the user's business: the
// command's stderr holds its French messages only.
void keepSevereMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs((message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

// Fonts and painting need an application object, never a display.
class Application {
    struct Offscreen {
        Offscreen() {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(keepSevereMessages);
        }
    };

    Offscreen offscreen_;  // first: before the application reads its platform
    int argc_ = 1;
    char name_[13] = "varnelle-cli";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_{argc_, argv_};
};

// Whether a picture written at `output` would replace the budget, or sit among the budgets
// of its folder under a name the chooser lists.
bool remplaceUnBudget(const fs::path& fichier, const fs::path& output) {
    std::error_code error;
    if (fs::equivalent(fichier, output, error)) return true;
    std::string extension = output.extension().string();
    for (char& c : extension) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    const auto folderOf = [](const fs::path& path) {
        return path.parent_path().empty() ? fs::path(".") : path.parent_path();
    };
    return extension == ".ini" && fs::equivalent(folderOf(fichier), folderOf(output), error);
}

// The months of the period as if the user had ticked them on the "Soldes mensuels" page.
GraphePeriode dessineSoldes(const Budget& budget, const ChartOptions& chart,
                            const TextMetrics& metrics) {
    GraphePeriode dessin;
    const PeriodeGraphe periode = LitPeriodeGraphe(chart.from, chart.to);
    dessin.resultat = periode.resultat;
    if (periode.resultat != ResultatPeriode::Ok) return dessin;
    ArbreSoldesMensuels arbre = ConstruitArbreSoldesMensuels(budget.Operations, {});
    CalculeSoldesMensuels(arbre, budget.Simulations, true);
    CocheMoisDeLaPeriode(arbre, periode.cDateDeb, periode.cDateFin);
    const std::vector<TSoldeMensuel> barres = ConstruitSoldesMensuels(arbre);
    if (barres.empty()) {
        dessin.resultat = ResultatPeriode::AucuneOperation;
        return dessin;
    }
    dessin.drawing =
        DessineGrapheSoldesMensuels(chart.width, chart.height, metrics, barres, budget.Param);
    return dessin;
}

// Refuses an output that would take the place of a budget, then loads the budget.
int chargePourSortie(const fs::path& fichier, std::string_view motDePasse,
                     const std::string& sortie, const char* quoi, Budget& budget,
                     std::ostream& err) {
    if (remplaceUnBudget(fichier, sortie)) {
        err << "La sortie " << sortie << " est un fichier de budget : choisissez un autre nom pour "
            << quoi << ".\n";
        return kExitRefused;
    }
    return chargeBudget(fichier, motDePasse, budget, err);
}

}  // namespace

int runChart(const fs::path& fichier, std::string_view motDePasse, const ChartOptions& chart,
             std::ostream& err) {
    // A name the program cannot write is refused before anything is read, unless it names a
    // budget, which says more.
    if (!remplaceUnBudget(fichier, chart.output) && !formatImage(chart.output)) {
        err << "Format d'image non pris en charge : " << chart.output << " (png, jpg ou bmp).\n";
        return kExitRefused;
    }
    Budget budget;
    if (const int status =
            chargePourSortie(fichier, motDePasse, chart.output, "l'image", budget, err);
        status != kExitOk)
        return status;

    const Application application;

    const QFont font = gui::surfaceFont();
    const GrapheDePeriode graphe =
        chart.kind == ChartKind::Types ? GrapheDePeriode::TypesDep : GrapheDePeriode::Operations;
    const GraphePeriode dessin =
        chart.kind == ChartKind::Soldes
            ? dessineSoldes(budget, chart, gui::FontMetrics(font))
            : DessineGraphePeriode(graphe, budget, chart.from, chart.to, chart.width, chart.height,
                                   gui::FontMetrics(font));
    if (dessin.resultat != ResultatPeriode::Ok) {
        err << refus(dessin.resultat) << '\n';
        return kExitRefused;
    }

    QImage image(chart.width, chart.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    gui::replayDrawing(dessin.drawing, image, font);
    if (!writeImage(image, chart.output)) {
        err << "Ne peut écrire dans " << absolutePath(chart.output) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

int runReport(const fs::path& fichier, std::string_view motDePasse, const ReportOptions& report,
              std::ostream& err) {
    Budget budget;
    if (const int status =
            chargePourSortie(fichier, motDePasse, report.output, "la liste", budget, err);
        status != kExitOk)
        return status;
    const RapportListe rapport(budget, report.kind == ReportKind::Types ? ListeImprimee::TypesDep
                                       : report.kind == ReportKind::Operations
                                           ? ListeImprimee::Operations
                                           : ListeImprimee::DepJourn);
    if (rapport.nbPages() == 0) {
        err << "Rien à imprimer.\n";
        return kExitRefused;
    }

    const Application application;
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(report.output)));
    bool ecrit = file.open(QIODevice::WriteOnly);
    if (ecrit) {
        QPdfWriter pdf(&file);
        pdf.setTitle(gui::fromBudgetText(rapport.titre()));
        pdf.setCreator(QStringLiteral("Varnelle"));
        gui::prepareA4(pdf);
        ecrit = gui::imprimeRapport(rapport, pdf);
    }
    if (!ecrit || !file.commit()) {
        err << "Ne peut écrire dans " << absolutePath(report.output) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace varnelle::cli
