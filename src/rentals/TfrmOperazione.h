#pragma once
#include "app/AppScreen.h"
#include "rentals/DateTimeGroup.h"
#include "store/TScheda.h"

#include <QByteArray>

#include <memory>

class PendingReturn;

#include <QList>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
namespace UiKit {
class StatusLine;
}

// The pick-up and return screens: one window, two sides. A start panel covers the work area
// until a craft is chosen from the side's selection list; the apply checks date, time and
// customer and rewrites the whole card at its position in the fleet file.
class TfrmOperazione : public TAppScreen {
    Q_OBJECT
public:
    explicit TfrmOperazione(Side side);
    ~TfrmOperazione() override;

    // Loads the craft chosen in the selection list (card and 1-based position), then runs the
    // now action.
    void putCard(const TScheda& card, qint64 position, const QByteArray& stored = {});

    Side side() const { return side_; }
    TDateTimeGroup* dateTime() const { return dateTime_; }

public slots:
    void btnSelezionaClick();
    void btnStampaClick();
    void btnApplicaClick();

protected:
    void FormShow() override;

private:
    // Shows or takes away the start panel. While it is up, nothing it covers can take the focus
    // or act: only the panel's own buttons can.
    void cover(bool on);
    TScheda cardFromScreen() const;
    // The completed rental as the confirmation shows it, in its row order.
    QStringList rentalValues() const;
    void writeCard();
    bool confirmReturn();

    Side side_;
    TDateTimeGroup* dateTime_;
    UiKit::StatusLine* status_;
    QFrame* panAvvio_;
    QPushButton* cmdSeleziona_;
    QList<QWidget*> covered_;
    bool loaded_ = false; // a craft was loaded since the screen was last shown
    QLineEdit* txtCodice_;
    QLineEdit* txtTipo_;
    QLineEdit* txtUtilizzo_;
    QLineEdit* txtLuogo_;
    QLineEdit* txtResponsabile_;
    QLineEdit* txtRecapiti_;
    QLineEdit* txtPersone_;
    QLineEdit* txtPersonaRit_;
    QLineEdit* txtPersonaRic_;
    QLineEdit* txtStato_;
    QLineEdit* txtDuplicati_;
    QLineEdit* txtNote_;
    QLabel* txtScheda_;
    QCheckBox* chkSmarrita_;
    QLabel* lblFile_[3];
    QLabel* lblDesc_[3];
    QLabel* lblPosizione_;
    // The stored bytes of the loaded card: the apply rewrites it only while the file still
    // holds them.
    QByteArray shownBytes_;
    // The journal of the return being confirmed.
    std::unique_ptr<PendingReturn> pending_;
    // The card is back but its journal is left for the next start-up to finish.
    bool historyLater_ = false;
};
