#pragma once
#include "app/AppScreen.h"

class QLabel;
class QPushButton;

// The start menu: opens the three applications, the information, help and maker's screens,
// and ends the program.
class TfrmAvvio : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio();

public slots:
    void imgApp01Click(); // Vuvedi Duvav: the fleet card screen
    void imgApp02Click(); // Ritiri e Riconsegne: the operations menu
    void imgApp03Click(); // Dizidov Izevude: the history period selection
    void imgInfoClick();
    void imgGuidaClick();
    void imgCopyrightClick();
    void imgSitoClick();
    void imgEsciClick();

protected:
    void FormShow() override;

protected slots:
    void FormClose() override;
    // Closing the start menu ends the program.

private:
    QLabel* shpSfondo;
    QLabel* imgTitolo;
    QLabel* imgSottotitolo;
    QPushButton* imgApp01;
    QPushButton* btnApp01;
    QPushButton* imgApp02;
    QPushButton* btnApp02;
    QPushButton* imgApp03;
    QPushButton* btnApp03;
    QPushButton* imgInfo;
    QPushButton* imgGuida;
    QPushButton* imgCopyright;
    QPushButton* imgSito;
    QPushButton* imgEsci;
};

extern TfrmAvvio* frmAvvio;
