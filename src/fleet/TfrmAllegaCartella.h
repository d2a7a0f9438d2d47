#pragma once
#include "app/AppScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The attachments of a fleet card: three slots, each a file copied into the shared folder
// Documenti_Allegati and a free description. The names and descriptions go back to the fleet
// card screen, which stores them when the card is saved.
class TfrmAllegaCartella : public TAuxDialog {
    Q_OBJECT
public:
    static constexpr const char* kFolder = "Documenti_Allegati";

    explicit TfrmAllegaCartella(QWidget* owner);

    // Opens the screen for the card shown on the fleet card screen.
    static void open(QWidget* owner);

    // Fills the slots from the fleet card screen, as opening does (the screenshot tool uses it).
    void fillFromCardForShot() { fillFromCard(); }

    // The three slots behave alike; each control's handler names its slot.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);

    // A file whose name the card cannot hold as it is (characters outside Windows-1252, blanks
    // at its ends, too long); the warning to show, or "" when the name fits.
    static QString nameRefusal(const QString& fileName);

public slots:
    void btnSfoglia01Click() { btnSfogliaClick(1); }
    void btnSfoglia02Click() { btnSfogliaClick(2); }
    void btnSfoglia03Click() { btnSfogliaClick(3); }
    void btnApri01Click() { btnApriClick(1); }
    void btnApri02Click() { btnApriClick(2); }
    void btnApri03Click() { btnApriClick(3); }
    void imgCancella01Click() { imgCancellaClick(1); }
    void imgCancella02Click() { imgCancellaClick(2); }
    void imgCancella03Click() { imgCancellaClick(3); }
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void reject() override {} // the screen closes through its own buttons

private:
    void fillFromCard();
    QLineEdit* txtFile_[3];
    QLineEdit* txtDesc_[3];
    QPushButton* btnApri_[3];
    QLabel* lblMemory_;
};
