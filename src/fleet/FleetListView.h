#pragma once
#include "app/AppScreen.h"
#include "fleet/FleetRows.h"
#include "output/report/Report.h"

#include <QFrame>

#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

// What sets one fleet list apart from the others.
struct FleetListKind {
    QString key;     // the screen class: each keeps its own remembered find text
    QString caption; // window caption
    QString logo;    // title artwork naming the list
    // Which cards the list shows, judged on the card's record bytes.
    std::function<bool(const char* record)> filter;
    FleetRows::Format row = FleetRows::Format::FourField;
    QString printedTitle;
    // Where a double-click puts the chosen card (its 1-based position with it); none: the
    // list has no double-click and no instruction line.
    std::function<void(const TScheda&, qint64, const QByteArray& stored)> target;
    // Runs after the whole file was searched, whether or not a card matched.
    std::function<void()> afterDoubleClick;
    // A double-click on an empty list warns before the screen closes.
    bool warnWhenEmpty = false;
};

// The list part shared by the four list screens and the result panel of the fleet search:
// find field, sorted rows, printing and the double-click hand-over.
class FleetListPanel : public QFrame {
    Q_OBJECT
public:
    enum class Look { List, SearchResult };
    FleetListPanel(const FleetListKind& kind, Look look, QWidget* parent);

    // Showing: forget the remembered text, no current row, empty find field.
    void reset();
    // Reads the fleet file and lists the cards the filter lets through. A failure ends the
    // loading silently; the rows read so far stay.
    void load();
    // Puts rows in the list: sorted once, set in one call.
    void setRows(QStringList rows);
    QStringList rows() const;
    void clearRows();

    // The remembered find text of a screen class (tests read it).
    static QString remembered(const QString& key);

    FleetListKind kind;
    Report::Layout frxReport;

    QLabel* imgLogo = nullptr;
    QLabel* icoIstruzioni01 = nullptr; // icoIstruzioni on the search
    QLabel* imgLente = nullptr;
    QFrame* shpLente = nullptr;
    QFrame* shpSfondo = nullptr;
    QFrame* shpLista = nullptr;
    QLineEdit* txtTrova = nullptr;
    QFrame* effTrova = nullptr; // lists only
    QPushButton* btnTrova = nullptr;
    QListView* lstRecords = nullptr;
    QLabel* lblRigo03 = nullptr;  // not on lists without a double-click
    QLabel* lblTrovate = nullptr; // search only
    QPushButton* btnStampa = nullptr;
    QPushButton* btnChiudi = nullptr;

signals:
    // The screen holding the panel should close (a craft was chosen).
    void closeRequested();

public slots:
    void btnTrovaClick();
    void btnStampaClick();
    void lstRecordsDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringListModel* model_;
    QStringList lowered_; // the rows with A-Z turned to a-z, for finding; empty until then
};

// A list screen: a fixed dialog holding one list panel, loaded each time it is shown.
class TfrmFleetList : public TAuxDialog {
    Q_OBJECT
public:
    TfrmFleetList(QWidget* owner, const FleetListKind& kind);
    FleetListPanel* panContainer;

    void done(int result) override;

public slots:
    void btnChiudiClick() { done(Rejected); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    virtual void FormShow();
};
