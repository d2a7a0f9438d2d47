#pragma once
#include "app/AppScreen.h"

#include "store/TNoleggio.h"

#include <QStringList>

class PendingReturn;

class QLabel;
class QLineEdit;

// The return confirmation: shows the completed rental and, on OK, appends it to the rental
// history as one record. One confirmation writes at most one record.
class TfrmRiepilogo_Operazione : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmRiepilogo_Operazione(QWidget* owner);

    // The eleven values in row order: code, type, rate, location, documents, pick-up customer,
    // date and time, return customer, date and time.
    void fill(const QStringList& values);
    // The rental of the eleven values, in the same order.
    static TNoleggio rentalFrom(const QStringList& values);
    // The journal of the return this confirmation closes: OK completes it. Without one, OK
    // appends to the history directly.
    void setPending(PendingReturn* pending) { pending_ = pending; }
    // Whether the rental reached the history file.
    bool written() const;

public slots:
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override {} // OK is the only way out

private:
    QList<QLineEdit*> fields_;
    QLabel* lblPosizione_;
    PendingReturn* pending_ = nullptr;
};
