#pragma once
#include "output/GridScreen.h"

// The fleet export: every card of the fleet file in a grid, exported to Vuvedi_Duvav.xls.
// Location and notes can be corrected in the grid for the export; the fleet file is never
// written here.
class TfrmExpChiavi : public TGridScreen {
    Q_OBJECT
public:
    explicit TfrmExpChiavi(QWidget* owner);

    // Opens a new export screen owned by the caller, modally, and discards it when it closes.
    static void open(QWidget* owner);

    // Fills the grid with one row per card of the fleet file, in file order.
    void load();

public slots:
    void cmdEsportaClick() override;
    void cmdGuidaClick() override;

protected:
    void showEvent(QShowEvent* event) override;
};
