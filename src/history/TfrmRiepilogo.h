#pragma once
#include "output/GridScreen.h"

class QFrame;
class QLabel;

// The history summary: every completed rental picked up in the period chosen on the period
// selection screen, one row per rental, sorted by type of craft; it exports the rows.
class TfrmRiepilogo : public TGridScreen {
    Q_OBJECT
public:
    explicit TfrmRiepilogo(QWidget* owner);

    QFrame* bkgIntervallo;
    QLabel* lblIntervallo;
    QLabel* lblFile; // not used

    // Reads the history file and fills the grid with the rentals of the period (start and end
    // "dd/mm/yyyy", both included), sorted by type of craft.
    void load(const QString& start, const QString& end);

public slots:
    void cmdEsportaClick() override;
    void cmdGuidaClick() override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
};
