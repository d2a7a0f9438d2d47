#pragma once
#include "app/AppScreen.h"

class QFrame;
class QLabel;
class QPushButton;
class QTableView;
class RecordGridModel;
namespace UiKit {
class StatusLine;
}

// The fleet export: every card of the fleet file in a grid, exported to Vuvedi_Duvav.xls.
// Location and notes can be corrected in the grid for the export; the fleet file is never
// written here.
class TfrmExpChiavi : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmExpChiavi(QWidget* owner);

    // Opens a new export screen owned by the caller, modally, and discards it when it closes.
    static void open(QWidget* owner);

    QTableView* grdRecords;
    QPushButton* cmdEsporta;
    QPushButton* cmdGuida;
    QPushButton* cmdEsci;
    QFrame* shpInfo;
    QLabel* panInfo;

    RecordGridModel* model() const { return model_; }
    // Fills the grid with one row per card of the fleet file, in file order.
    void load();

public slots:
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    RecordGridModel* model_;
    UiKit::StatusLine* status_;
};
