#pragma once
#include "app/AppScreen.h"

#include <QList>

class FleetListPanel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The fleet search: a filter panel of ten fields, then the list of the matching cards.
class TfrmTrovaSchedario_Chiavi : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaSchedario_Chiavi(QWidget* owner);

    // Filter panel.
    QFrame* panAvvio;
    QLineEdit *txtCodice, *txtTipo, *txtUtilizzo, *txtStato, *txtDuplicati, *txtLuogo,
        *txtResponsabile, *txtRecapiti, *txtPersone, *txtNote;
    QList<QLineEdit*> filters; // in tab order
    QPushButton* btnAnnulla;
    QPushButton* btnCerca;
    QLabel* lblAttendere;
    QLabel* imgSpiega;
    QLabel* lblConta;  // hidden: filters in use
    QLabel* lblMemory; // hidden: the caller tag
    // Result panel: the fleet list shared with the list screens.
    FleetListPanel* panContainer;

    void done(int result) override;

public slots:
    void btnCercaMouseDown();
    void btnCercaClick();
    // Both close the screen: "Chiudi" on the filter panel and on the result list.
    void btnAnnullaClick() { done(Rejected); }
    void btnChiudiClick() { done(Rejected); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void FormShow();
};
