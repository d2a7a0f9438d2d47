#pragma once
#include "app/AppScreen.h"
#include "output/RecordGrid.h"
#include "output/SpreadsheetWriter.h"

#include <QRect>
#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QTableView;
namespace UiKit {
class StatusLine;
}

// The frame the two grid screens share (the history summary and the fleet export): a white
// sheet, the grid, the hand with its hint, the buttons "Esporta in Excel", "Guida" and "Esci",
// and the status band at the foot. Each screen adds its own title above the grid.
class TGridScreen : public TAuxDialog {
    Q_OBJECT
public:
    static constexpr QSize kSize{1240, 690};

    QTableView* grdRecords;
    QPushButton* cmdEsporta;
    QPushButton* cmdGuida;
    QPushButton* cmdEsci;
    QFrame* shpInfo;
    QLabel* panInfo;

    RecordGridModel* model() const { return model_; }

public slots:
    virtual void cmdEsportaClick() = 0;
    virtual void cmdGuidaClick() = 0;
    void cmdEsciClick();

protected:
    struct Frame {
        QString objectName;
        QList<RecordGridModel::Column> columns;
        QRect grid;
        QString gridName; // the grid's accessible name
        QString hint;     // beside the hand, under the grid
    };
    TGridScreen(QWidget* owner, const QString& caption, const Frame& frame);

    // Exports what the grid holds now (typed corrections included), its number column left
    // out, to `fileName` in the program folder.
    void exportGrid(const QString& fileName, const QString& sheetName,
                    const QList<SpreadsheetWriter::Column>& columns);

    RecordGridModel* model_;
    // Shows the buttons' hints; emptied over the frame's own parts (and over the title, once
    // the screen adds it as a background).
    UiKit::StatusLine* status_;
};
