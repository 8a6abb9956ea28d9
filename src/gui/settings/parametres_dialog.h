#pragma once

#include <functional>

#include <QDialog>

#include "core/model/param.h"
#include "core/model/param_trees.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;

namespace varnelle::gui {

class ColourPicker;
class Tree;

// "Paramètres": the budget's display settings on a working copy. "&Tester" lends the copy to
// the budget and applies it at once; OK keeps it; "Annuler", Escape and the close box give
// back the settings the dialog found.
class TfmParametres final : public QDialog {
    Q_OBJECT

public:
    using Applique = std::function<void()>;
    using ChangeMotDePasse = std::function<void(QWidget* parent)>;

    TfmParametres(TParam& param, OrigineParametres origine, Applique applique,
                  ChangeMotDePasse changeMotDePasse, QWidget* parent = nullptr);
    ~TfmParametres() override;

    const TParam& copieDeTravail() const { return travail_; }
    Tree& arbre(ArbreCouleurs arbre);
    ColourPicker& choixCouleur(ArbreCouleurs arbre);
    QLabel& stExemple() { return *stExemple_; }
    QTabWidget& pcOptGrilles() { return *pcOptGrilles_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void creeCouleurs();
    void creeOptions();
    QWidget* pageGeneral();
    QWidget* pageGrilleOperations();
    QWidget* pageRecap();
    QWidget* pageCalendrier();
    void FormShow();
    void arbreChange(ArbreCouleurs arbre, int noeud);
    void couleurChoisie(ArbreCouleurs arbre, int index);
    void majApercu();
    void btTesterClick();
    // The working copy into the budget's settings, the bookmarks left as they are.
    void copieDansParam();

    TParam& param_;
    TParam travail_;
    const TParam sauve_;
    OrigineParametres origine_;
    Applique applique_;
    ChangeMotDePasse changeMotDePasse_;
    TreeNodes noeudsGrilles_;
    TreeNodes noeudsGraphes_;
    Tree* tvGrilles_;
    Tree* tvGraphes_;
    ColourPicker* cgGrilles_;
    ColourPicker* cgGraphes_;
    QLabel* stExemple_;
    QTabWidget* pcOptGrilles_;
    QButtonGroup* formeCoche_;
    QSlider* tbGrilleOpZoom_;
    QComboBox* cbGrilleOpPolice_;
    QToolButton* btGrilleOpVert_;
    QToolButton* btGrilleOpHoriz_;
    QCheckBox* cbGrilleRecapTDRetailLigEns_;
    QCheckBox* cbGrilleRecapTDRetailColEns_;
    QButtonGroup* contenuRecap_;
    QCheckBox* cbGrilleCalendOpRetailColEns_;
    QButtonGroup* contenuCalendrier_;
    bool place_ = false;
};

}  // namespace varnelle::gui
