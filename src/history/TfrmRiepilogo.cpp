#include "history/TfrmRiepilogo.h"

#include "app/DateSettings.h"
#include "app/Errors.h"
#include "app/UiKit.h"
#include "help/Help.h"
#include "history/TfrmMenuRiepilogo.h"
#include "output/GridScreen.h"
#include "output/RecordGrid.h"
#include "output/SpreadsheetWriter.h"
#include "rentals/Dates.h"
#include "store/HistoryFile.h"
#include "store/ShortText.h"

#include <QCollator>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>

namespace {

// Where the fields lie in a history record, and their capacities.
struct Field {
    int offset;
    int capacity;
};
constexpr Field kCodice{0, 20}, kTipo{21, 50}, kUtilizzo{72, 50}, kLuogo{123, 250},
    kPersone{374, 250}, kPersonaRit{625, 50}, kDataRit{676, 10}, kOraRit{687, 5},
    kPersonaRic{693, 50}, kDataRic{744, 10}, kOraRic{755, 5};

// A field's stored text, trimmed as a read trims it.
QByteArrayView field(const char* record, Field f) {
    return ShortText::storedText(record + f.offset, f.capacity);
}

QList<RecordGridModel::Column> gridColumns() {
    return {
        {QStringLiteral("colNum"), QStringLiteral("N."), 60, false},
        {QStringLiteral("colCodice"), QStringLiteral("Codice identificativo"), 200, false},
        {QStringLiteral("colTipo"), QStringLiteral("Tipo mezzo"), 200, false},
        {QStringLiteral("colUtilizzo"), QStringLiteral("Tariffa noleggio"), 200, true},
        {QStringLiteral("colLuogo"), QStringLiteral("Ubicazione"), 250, false},
        {QStringLiteral("colPersone"), QStringLiteral("Documenti richiesti"), 300, false},
        {QStringLiteral("colPersonaRit"), QStringLiteral("Ritirato da"), 250, false},
        {QStringLiteral("colDataRit"), QStringLiteral("Data ritiro"), 160, false},
        {QStringLiteral("colOraRit"), QStringLiteral("Ora ritiro"), 150, false},
        {QStringLiteral("colPersonaRic"), QStringLiteral("Riconsegnato da"), 250, false},
        {QStringLiteral("colDataRic"), QStringLiteral("Data riconsegna"), 160, true},
        {QStringLiteral("colOraRic"), QStringLiteral("Ora riconsegna"), 150, false},
    };
}

// The spreadsheet's columns: grid columns 1 to 11, with the widths of the export.
const QList<SpreadsheetWriter::Column> kExportColumns = {
    {QStringLiteral("Codice identificativo"), 250}, {QStringLiteral("Tipo mezzo"), 250},
    {QStringLiteral("Tariffa noleggio"), 300},      {QStringLiteral("Ubicazione"), 350},
    {QStringLiteral("Documenti richiesti"), 350},   {QStringLiteral("Ritirato da"), 300},
    {QStringLiteral("Data ritiro"), 200},           {QStringLiteral("Ora ritiro"), 180},
    {QStringLiteral("Riconsegnato da"), 300},       {QStringLiteral("Data riconsegna"), 200},
    {QStringLiteral("Ora riconsegna"), 180}};

// The user's collation; a machine left on the C locale sorts as the program's own Italian.
QCollator typeCollator() {
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale();
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

TfrmRiepilogo::TfrmRiepilogo(QWidget* owner)
    : TGridScreen(owner, QStringLiteral(" Onderia - Dizidov Izevude"),
                  {QStringLiteral("frmRiepilogo"), gridColumns(),
                   QRect(20, 78, kSize.width() - 40, 490),
                   QStringLiteral("Noleggi dell'intervallo"),
                   QStringLiteral("I noleggi conclusi nell'intervallo, ordinati per tipo di "
                                  "mezzo. Tariffa e data di riconsegna si possono correggere "
                                  "prima dell'esportazione.")}) {
    DateSettings::apply();
    bkgIntervallo = new QFrame(this);
    bkgIntervallo->setObjectName(QStringLiteral("bkgIntervallo"));
    bkgIntervallo->setGeometry(8, 8, kSize.width() - 16, 58);
    bkgIntervallo->setStyleSheet(
        QStringLiteral("QFrame#bkgIntervallo { background: #0B2E59; border-top-left-radius: 8px;"
                       " border-top-right-radius: 8px; }"));
    lblIntervallo = new QLabel(QStringLiteral("Dizidov izevude"), bkgIntervallo);
    lblIntervallo->setObjectName(QStringLiteral("lblIntervallo"));
    lblIntervallo->setGeometry(22, 0, kSize.width() - 60, 58);
    lblIntervallo->setStyleSheet(
        QStringLiteral("color: #FFFFFF; font-size: 17pt; font-weight: bold;"));
    status_->background(bkgIntervallo);
    status_->background(lblIntervallo);

    lblFile = UiKit::hiddenLabel(this, QStringLiteral("lblFile"));
}

void TfrmRiepilogo::load(const QString& start, const QString& end) {
    lblIntervallo->setText(QStringLiteral("Dizidov izevude dal ") + start.trimmed() +
                           QStringLiteral(" al ") + end.trimmed());
    const int from = Dates::dateKey(start.trimmed().toLatin1());
    const int to = Dates::dateKey(end.trimmed().toLatin1());
    bool complete = false;
    model_->beginLoad();
    guarded(
        [&] {
            // Locked only while the file is read, in large blocks as it goes (a whole history
            // read at once would take its size in memory): the rows are taken as they pass, and
            // the grid is sorted and shown once the file is closed, so a return's OK elsewhere
            // waits for the reading alone.
            HistoryFile file;
            file.openForReading();
            quint32 taken = 0;
            file.scanRaw([&](qint64, const char* record) {
                // A damaged pick-up date lies in no period: the record is passed over.
                const int picked = Dates::dateKey(field(record, kDataRit));
                if (picked == 0 || picked < from || picked > to)
                    return true;
                model_->appendBytes(++taken, {field(record, kCodice), field(record, kTipo),
                                              field(record, kUtilizzo), field(record, kLuogo),
                                              field(record, kPersone), field(record, kPersonaRit),
                                              field(record, kDataRit), field(record, kOraRit),
                                              field(record, kPersonaRic), field(record, kDataRic),
                                              field(record, kOraRic)});
                return true;
            });
            file.close();
            complete = true;
        },
        [] {});
    model_->endLoad();
    // A file that could not be read to its end leaves the rows taken so far in file order.
    if (complete)
        model_->sortByColumn(2, typeCollator());
}

void TfrmRiepilogo::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (event->spontaneous())
        return;
    QString start, end;
    if (frmMenuRiepilogo) {
        start = frmMenuRiepilogo->lblDataInizio->text();
        end = frmMenuRiepilogo->lblDataFine->text();
    }
    load(start, end);
}

void TfrmRiepilogo::done(int result) {
    if (frmMenuRiepilogo)
        frmMenuRiepilogo->lblAttendere->hide();
    TAuxDialog::done(result);
}

void TfrmRiepilogo::cmdEsportaClick() {
    exportGrid(QStringLiteral("Dizidov_Izevude.xls"), QStringLiteral("Dizidov Izevude"),
               kExportColumns);
}

void TfrmRiepilogo::cmdGuidaClick() {
    Help::showPage(this, QStringLiteral("App Dizidov Izevude"));
}
