#pragma once
#include <QObject>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// Which operation a pick-up or return screen registers.
enum class Side { Ritiro, Riconsegna };

// The date-and-time entry of a pick-up or return screen: day, month, hour and minutes as
// drop-down edits that only take values from their lists, the year label, the "now" button,
// and the date and time texts the checks compose. Each screen also carries the other
// operation's controls, hidden, only to hold a card's values.
class TDateTimeGroup : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QComboBox* giorno;
        QComboBox* mese;
        QComboBox* ore;
        QComboBox* minuti;
        QLabel* anno;
        QLabel* data; // hidden: composed date text
        QLabel* ora;  // hidden: composed time text
    };

    // Builds both operations' controls inside `owner`; the visible group boxes grpDataRit and
    // grpOraRit hold this side's controls.
    TDateTimeGroup(Side side, QWidget* owner);

    Side side() const { return side_; }
    const Controls& mine() const { return mine_; }
    const Controls& other() const { return other_; }
    const Controls& ritiro() const { return side_ == Side::Ritiro ? mine_ : other_; }
    const Controls& riconsegna() const { return side_ == Side::Riconsegna ? mine_ : other_; }
    QGroupBox* dateBox() const { return dateBox_; }
    QGroupBox* timeBox() const { return timeBox_; }
    QPushButton* nowButton() const { return now_; }

    // The customer field closes the Enter ring: day, month, hour, minutes, customer, day.
    void setCustomerField(QWidget* customer);

    // Fills day, month, hour and minutes from the clock; the year label is not touched.
    void nowAction();

    // The checks before saving. On a failure: the message, the focus, and false.
    bool checkBeforeSaving();

    // Leaving a drop-down edit: a text that is not exactly one of its items is emptied.
    void leave(QComboBox* combo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* comboFor(QObject* watched) const;
    QString message(QChar letter) const;

    Side side_;
    Controls mine_{};
    Controls other_{};
    QGroupBox* dateBox_ = nullptr;
    QGroupBox* timeBox_ = nullptr;
    QPushButton* now_ = nullptr;
    QWidget* customer_ = nullptr;
};
