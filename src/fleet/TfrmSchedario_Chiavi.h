#pragma once
#include "app/AppScreen.h"
#include "store/TScheda.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace UiKit {
class StatusLine;
}

// The Vuvedi Duvav screen: one fleet card at a time, browsed, created, duplicated and saved.
// The card lives only in the controls; fields the screen does not show ride along in hidden
// controls so a saved card keeps all 34 of them. lblPosizione holds the card's position in
// the fleet file, or nothing for a card not stored yet.
class TfrmSchedario_Chiavi : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmSchedario_Chiavi();
    // Puts a card read from the fleet file into the controls, with its 1-based position
    // in lblPosizione (search, lists and browsing hand cards over this way).
    void putCard(const TScheda& card, qint64 position, const QByteArray& stored = {});

    // The card as the controls hold it, in the form it is stored (Scheda from txtScheda,
    // Smarrita "Sì" or "No").
    TScheda cardFromControls() const;

    // Visible fields, in the order of the card.
    QLabel* txtScheda;
    QLineEdit* txtCodice;
    QLineEdit* txtTipo;
    QLineEdit* txtUtilizzo;
    QLineEdit* txtStato;
    QLineEdit* txtDuplicati;
    QLineEdit* txtLuogo;
    QLineEdit* txtResponsabile;
    QLineEdit* txtRecapiti;
    QLineEdit* txtPersone;
    QLineEdit* txtNote;
    QCheckBox* chkSmarrita;

    // Hidden carriers of the latest rental and of the attachments.
    QLineEdit* txtPersonaRit;
    QLineEdit* txtPersonaRic;
    QComboBox* txtGiornoRit;
    QComboBox* txtMeseRit;
    QComboBox* txtOreRit;
    QComboBox* txtMinutiRit;
    QLabel* lblAnnoRit;
    QLabel* lblDataRit;
    QLabel* lblOraRit;
    QComboBox* txtGiornoRic;
    QComboBox* txtMeseRic;
    QComboBox* txtOreRic;
    QComboBox* txtMinutiRic;
    QLabel* lblAnnoRic;
    QLabel* lblDataRic;
    QLabel* lblOraRic;
    QLabel* lblFile01;
    QLabel* lblFile02;
    QLabel* lblFile03;
    QLabel* lblDesc01;
    QLabel* lblDesc02;
    QLabel* lblDesc03;

    // Position of the card shown, between the arrows.
    QLabel* lblPosizione;
    QLabel* panInfo;

    // Toolbar, left to right.
    QPushButton* cmdNuovo;
    QPushButton* cmdDuplica;
    QPushButton* cmdSalva;
    QPushButton* cmdTrova;
    QPushButton* cmdFile;
    QPushButton* cmdStampa;
    QPushButton* cmdPrimo;
    QPushButton* cmdIndietro;
    QPushButton* cmdAvanti;
    QPushButton* cmdUltimo;
    QPushButton* cmdEsporta;
    QPushButton* cmdSmarrite;
    QPushButton* cmdGuida;
    QPushButton* cmdEsci;

public slots:
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    // Open the search, the list of not-rentable craft, the printed card, the export and the
    // attachments; each is wired to its screen once that screen exists.
    void cmdTrovaClick();
    void cmdSmarriteClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdFileClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildForm();
    void buildHiddenCarriers();
    // Empties the screen for a new card; keepDescription keeps the nine description fields
    // (duplicate).
    void startNewCard(bool keepDescription);
    // Loads the card at a position of the open fleet file (read whole before it is shown).
    enum class Step { First, Last, Next, Previous };
    void browse(Step step);

    UiKit::StatusLine* status_;
    // The stored bytes of the card on display: a save rewrites it only while the file still
    // holds them, so a change made meanwhile on another workstation is never overwritten.
    QByteArray shownBytes_;
};

extern TfrmSchedario_Chiavi* frmSchedario_Chiavi;
