#pragma once
#include "app/AppScreen.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The entry screen of the rental history: a calendar year and the first and last day of a
// period within it. The checked period opens the history summary, which reads the two composed
// dates from lblDataInizio and lblDataFine.
class TfrmMenuRiepilogo : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmMenuRiepilogo();

    QLabel* titAnno;
    QLineEdit* txtAnno;
    QFrame* effAnno;

    QGroupBox* grpDataInizio;
    QLabel* titGiornoInizio;
    QComboBox* txtGiornoInizio;
    QFrame* effGiornoInizio;
    QLabel* titMeseInizio;
    QComboBox* txtMeseInizio;
    QFrame* effMeseInizio;
    QLabel* lblAnnoInizio;
    QLabel* lblDataInizio; // hidden: the composed start date "dd/mm/yyyy"

    QGroupBox* grpDataFine;
    QLabel* titGiornoFine;
    QComboBox* txtGiornoFine;
    QFrame* effGiornoFine;
    QLabel* titMeseFine;
    QComboBox* txtMeseFine;
    QFrame* effMeseFine;
    QLabel* lblAnnoFine;
    QLabel* lblDataFine; // hidden: the composed end date

    QPushButton* btnRiepilogo;
    QLabel* lblAttendere;
    QPushButton* btnGuida;
    QPushButton* btnChiudi;
    QPushButton* lnkWeb;
    QPushButton* cmdWeb;

public slots:
    void btnRiepilogoClick();
    void btnRiepilogoMouseDown();
    void lnkWebClick();
    void btnGuidaClick();
    void btnChiudiClick();
    void txtAnnoChange(); // the year labels follow the field
    void txtGiornoExit(QComboBox* day);
    void txtMeseExit(QComboBox* month);
    void txtGiornoInizioExit() { txtGiornoExit(txtGiornoInizio); }
    void txtMeseInizioExit() { txtMeseExit(txtMeseInizio); }
    void txtGiornoFineExit() { txtGiornoExit(txtGiornoFine); }
    void txtMeseFineExit() { txtMeseExit(txtMeseFine); }

protected:
    void FormShow() override;

private:
    // Composes "dd/mm/yyyy" from a day, a month name (A-Z folded, trimmed) and a year; empty
    // when the month is none of the twelve.
    static QString composeDate(const QString& day, const QString& month, const QString& year);
    void refuse(QWidget* focus);
};

extern TfrmMenuRiepilogo* frmMenuRiepilogo;
