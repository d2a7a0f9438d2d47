#pragma once
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;
class RecordGridModel;
namespace UiKit {
class StatusLine;
}

// The frame the two grid screens share (the history summary and the fleet export): a white
// sheet, the grid, the hand with its hint, the buttons "Esporta in Excel", "Guida" and "Esci",
// and the status band at the foot. Each screen adds its own title above the grid.
namespace GridScreen {

inline constexpr QSize kSize(1240, 690);

struct Parts {
    QFrame* shpSfondo;
    QTableView* grdRecords;
    QPushButton* cmdEsporta;
    QPushButton* cmdGuida;
    QPushButton* cmdEsci;
    QFrame* shpInfo;
    QLabel* panInfo;
    UiKit::StatusLine* status;
};

// Builds the frame on `screen` (sized kSize) around a grid showing `model`. The status line
// shows the buttons' hints and is emptied over the frame's own parts; the screen adds its
// title to those itself.
Parts build(QDialog* screen, RecordGridModel* model, const QRect& grid, const QString& gridName,
            const QString& hint);

} // namespace GridScreen
