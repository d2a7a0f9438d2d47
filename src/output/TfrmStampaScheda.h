#pragma once
#include "app/AppScreen.h"
#include "output/report/Report.h"

#include <QPointer>

// The print screen: prints one A4 page from what its calling screen shows at the moment
// "Stampa" is pressed, saved or not. One screen, three layouts: the craft's card from the
// fleet card screen, the pick-up form and the return form from the rentals screens.
class TfrmStampaScheda : public TAuxDialog {
    Q_OBJECT
public:
    enum class Kind { Chiave, Ritiro, Riconsegna };

    static inline const QString kPrintError =
        QStringLiteral("Attenzione: la stampa della scheda non è andata a buon fine.\n\r\n\r"
                       "Si consiglia di controllare le impostazioni della stampante.");

    TfrmStampaScheda(Kind kind, QWidget* caller);

    Kind kind() const { return kind_; }
    Report::Layout& repDocumento() { return repDocumento_; }

public slots:
    void btnAnnullaClick();
    void btnStampaClick();

protected:
    // Shows the screen modally over `caller` and destroys it when it closes.
    template <typename Screen> static void openOver(QWidget* caller) {
        Screen screen(caller);
        screen.exec();
    }

private:
    void FormCreate();
    // Sets the layout's named texts from the caller's controls, in the order of the page.
    void fillFromCaller();

    Kind kind_;
    QPointer<QWidget> caller_;
    Report::Layout repDocumento_;
};

// The craft's card, "Scheda Mezzo", from the fleet card screen.
class TfrmStampaScheda_Chiave : public TfrmStampaScheda {
    Q_OBJECT
public:
    explicit TfrmStampaScheda_Chiave(QWidget* caller) : TfrmStampaScheda(Kind::Chiave, caller) {}
    static void open(QWidget* caller) { openOver<TfrmStampaScheda_Chiave>(caller); }
};

// The pick-up form, "Modulo Ritiro Mezzi", from the pick-up screen.
class TfrmStampaScheda_Ritiro : public TfrmStampaScheda {
    Q_OBJECT
public:
    explicit TfrmStampaScheda_Ritiro(QWidget* caller) : TfrmStampaScheda(Kind::Ritiro, caller) {}
    static void open(QWidget* caller) { openOver<TfrmStampaScheda_Ritiro>(caller); }
};

// The return form, "Modulo Riconsegna Mezzi", from the return screen.
class TfrmStampaScheda_Riconsegna : public TfrmStampaScheda {
    Q_OBJECT
public:
    explicit TfrmStampaScheda_Riconsegna(QWidget* caller)
        : TfrmStampaScheda(Kind::Riconsegna, caller) {}
    static void open(QWidget* caller) { openOver<TfrmStampaScheda_Riconsegna>(caller); }
};
