#include "fleet/FleetListView.h"

#include "app/DateSettings.h"
#include "app/Errors.h"
#include "app/Messages.h"
#include "app/UiKit.h"
#include "output/report/ListReport.h"
#include "store/FleetFile.h"
#include "store/ShortText.h"

#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStringListModel>
#include <QStyledItemDelegate>

namespace {

constexpr int kItemWidth = 1600;
const QString kListPrintError =
    QStringLiteral("Attenzione: la stampa dell'elenco non è andata a buon fine.\n\r\n\r"
                   "Si consiglia di controllare le impostazioni della stampante.");
const QSize kPanelSize(1320, 630); // fits a 1366x768 desktop

QHash<QString, QString>& rememberedTexts() {
    static QHash<QString, QString> texts;
    return texts;
}

// Every row as wide as the list's item width, so long rows scroll sideways.
class WideRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(kItemWidth, QStyledItemDelegate::sizeHint(option, index).height());
    }
};

QFrame* shape(QWidget* parent, const QString& name, const QRect& geometry, const QString& style) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { %2 }").arg(name, style));
    return frame;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setCursor(Qt::PointingHandCursor);
    UiKit::name(b, caption);
    return b;
}

} // namespace

FleetListPanel::FleetListPanel(const FleetListKind& k, Look look, QWidget* parent)
    : QFrame(parent), kind(k), frxReport(ListReport::layout()) {
    setObjectName(QStringLiteral("panContainer"));
    setFixedSize(kPanelSize);
    setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #0B5F8A; color: #FFFFFF; border: none;"
        " border-radius: 6px; font-family: Verdana; font-size: 10pt; font-weight: bold; }"
        "QPushButton:hover { background-color: #2E8BC0; }"
        "QPushButton:focus { border: 2px solid #F4E3B5; }"));

    shpSfondo = shape(this, QStringLiteral("shpSfondo"), QRect(0, 0, 1320, 630),
                      QStringLiteral("background-color: #E6F1F7;"));
    const bool search = look == Look::SearchResult;

    imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"), kind.logo, QSize(1280, 64));
    imgLogo->move(20, 14);
    UiKit::name(imgLogo, kind.printedTitle);

    shpLente = shape(this, QStringLiteral("shpLente"), QRect(20, 90, 706, 58),
                     QStringLiteral("background-color: #FFFFFF; border: 1px solid #B8D3E3;"
                                    " border-radius: 8px;"));
    imgLente = UiKit::picture(this, QStringLiteral("imgLente"),
                              QStringLiteral(":/art/list-lente.svg"), QSize(40, 40));
    imgLente->move(34, 99);
    txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(88, 103, 490, 32);
    QFont bold(QStringLiteral("Verdana"), 12);
    bold.setBold(true);
    txtTrova->setFont(bold);
    UiKit::name(txtTrova, QStringLiteral("Testo da trovare"));
    if (!search)
        effTrova = UiKit::frameOnFocus(txtTrova, QStringLiteral("effTrova"));
    btnTrova =
        button(this, QStringLiteral("btnTrova"), QStringLiteral("Trova"), QRect(594, 102, 116, 34));

    const QString instructions =
        search ? QStringLiteral("icoIstruzioni") : QStringLiteral("icoIstruzioni01");
    icoIstruzioni01 = UiKit::picture(this, instructions,
                                     QStringLiteral(":/art/list-istruzioni.svg"), QSize(560, 58));
    icoIstruzioni01->move(740, 90);
    UiKit::name(icoIstruzioni01,
                QStringLiteral("Digitare una o più parole consecutive contenute nella voce "
                               "cercata e premere Trova; premere ancora Trova per passare alla "
                               "voce successiva con le stesse parole."));

    shpLista = shape(this, QStringLiteral("shpLista"), QRect(20, 160, 1280, 384),
                     QStringLiteral("background-color: #FFFFFF; border: 1px solid #B8D3E3;"
                                    " border-radius: 8px;"));
    lstRecords = new QListView(this);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(28, 168, 1264, 368);
    lstRecords->setFont(QFont(QStringLiteral("Courier New"), 12));
    lstRecords->setStyleSheet(QStringLiteral("QListView { color: #000000; background: #FFFFFF;"
                                             " border: none; }"));
    lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setUniformItemSizes(true);
    lstRecords->setItemDelegate(new WideRows(lstRecords));
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->viewport()->installEventFilter(this);
    UiKit::name(lstRecords, kind.printedTitle);
    model_ = new QStringListModel(this);
    lstRecords->setModel(model_);

    if (kind.target) {
        lblRigo03 = new QLabel(
            search
                ? QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda")
                : QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"),
            this);
        lblRigo03->setObjectName(QStringLiteral("lblRigo03"));
        lblRigo03->setStyleSheet(QStringLiteral("color: #DC143C; font-weight: bold;"));
        lblRigo03->setFont(QFont(QStringLiteral("Verdana"), 10));
    }
    if (search) {
        lblTrovate = new QLabel(QStringLiteral("Il presente riepilogo contiene 0 schede"), this);
        lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        lblTrovate->setGeometry(20, 552, 520, 24);
        lblTrovate->setStyleSheet(QStringLiteral("color: #0B5F8A; font-weight: bold;"));
        lblTrovate->setFont(QFont(QStringLiteral("Verdana"), 10));
        if (lblRigo03) {
            lblRigo03->setGeometry(680, 552, 620, 24);
            lblRigo03->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    } else if (lblRigo03) {
        lblRigo03->setGeometry(20, 552, 1280, 24);
        lblRigo03->setAlignment(Qt::AlignCenter);
    }

    btnStampa = button(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"),
                       QRect(1024, 584, 130, 34));
    btnChiudi = button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                       QRect(1170, 584, 130, 34));

    connect(btnTrova, &QPushButton::clicked, this, &FleetListPanel::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &FleetListPanel::btnStampaClick);
    txtTrova->installEventFilter(this);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
}

bool FleetListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtTrova && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnTrova->setFocus(Qt::TabFocusReason); // Enter leads to "Trova", it does not press it
            return true;
        }
    }
    if (watched == lstRecords->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The row double-clicked is the current one; below the rows the current row stays.
        const QModelIndex at =
            lstRecords->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (at.isValid())
            lstRecords->setCurrentIndex(at);
        lstRecordsDblClick();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

QString FleetListPanel::remembered(const QString& key) {
    return rememberedTexts().value(key);
}

void FleetListPanel::reset() {
    rememberedTexts()[kind.key] = QString();
    lstRecords->setCurrentIndex(QModelIndex());
    txtTrova->clear();
}

void FleetListPanel::load() {
    QStringList rows;
    try {
        FleetFile file;
        file.openForReading();
        // Filter and rows work on the record's bytes; nothing else is decoded.
        file.scanRaw([&](qint64, const char* bytes) {
            if (kind.filter(bytes))
                rows.append(FleetRows::row(kind.row, bytes));
            return true;
        });
        file.close();
    } catch (const ArchiveBusy& busy) {
        // Another workstation kept the file: the user should know why the list is empty.
        reportSharedFolderConflict(busy);
    } catch (const std::exception&) {
        // The list shows what could be read; no message.
    }
    setRows(std::move(rows));
}

void FleetListPanel::setRows(QStringList rows) {
    FleetRows::sort(rows);
    lowered_.clear(); // made at the first search of the rows
    model_->setStringList(rows);
    lstRecords->setCurrentIndex(QModelIndex());
}

QStringList FleetListPanel::rows() const {
    return model_->stringList();
}

void FleetListPanel::clearRows() {
    model_->setStringList({});
    lowered_.clear();
}

void FleetListPanel::btnTrovaClick() {
    const int count = model_->rowCount();
    if (count == 0) {
        Msg::plain(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (!lstRecords->currentIndex().isValid())
        lstRecords->setCurrentIndex(model_->index(0));
    if (lowered_.size() != count) {
        const QStringList shown = model_->stringList();
        lowered_.reserve(count);
        for (const QString& r : shown)
            lowered_.append(FleetRows::lowerAZ(r));
    }
    const QString needle = FleetRows::lowerAZ(txtTrova->text());
    QString& memory = rememberedTexts()[kind.key];
    auto matches = [&](int row) { return !needle.isEmpty() && lowered_.at(row).contains(needle); };

    const bool fresh = needle != memory;
    const int start = fresh ? 0 : lstRecords->currentIndex().row();
    int found = -1;
    if (fresh && matches(start)) {
        found = start;
    } else {
        int row = start;
        do {
            row = (row + 1) % count;
            if (matches(row)) {
                found = row;
                break;
            }
        } while (row != start);
    }
    if (found >= 0) {
        const QModelIndex index = model_->index(found);
        lstRecords->setCurrentIndex(index);
        lstRecords->scrollTo(index);
    }
    memory = needle;
}

void FleetListPanel::btnStampaClick() {
    // A failing printer must not take the program down: the staff are told instead.
    guarded([&] { ListReport::print(frxReport, kind.printedTitle, rows(), window()); },
            [] { Msg::warning(kListPrintError); });
}

void FleetListPanel::lstRecordsDblClick() {
    if (!kind.target)
        return;
    if (kind.warnWhenEmpty && model_->rowCount() == 0) {
        Msg::warning(
            QStringLiteral("Operazione non applicabile: l'elenco non contiene nessun articolo."));
        emit closeRequested();
        return;
    }
    guarded(
        [&] {
            const QModelIndex current = lstRecords->currentIndex();
            if (!current.isValid())
                throw FileError(QStringLiteral("no current row"));
            const QString chosen = ShortText::trim(current.data().toString());
            FleetFile file;
            file.openForReading();
            // Every card, not only those the filter lets through; the last twin in file order
            // is the one that stays loaded.
            file.scanRaw([&](qint64 position, const char* bytes) {
                if (ShortText::trim(FleetRows::row(kind.row, bytes)) == chosen)
                    kind.target(TScheda::fromBytes(bytes), position,
                                QByteArray(bytes, TScheda::kSize));
                return true;
            });
            file.close();
            if (kind.afterDoubleClick)
                kind.afterDoubleClick();
        },
        [] {});
    emit closeRequested();
}

TfrmFleetList::TfrmFleetList(QWidget* owner, const FleetListKind& kind)
    : TAuxDialog(owner, kind.caption) {
    DateSettings::apply();
    panContainer = new FleetListPanel(kind, FleetListPanel::Look::List, this);
    setFixedSize(panContainer->size());
    connect(panContainer, &FleetListPanel::closeRequested, this, [this] { done(Rejected); });
    connect(panContainer->btnChiudi, &QPushButton::clicked, this, &TfrmFleetList::btnChiudiClick);
}

void TfrmFleetList::showEvent(QShowEvent* event) {
    TAuxDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmFleetList::FormShow() {
    panContainer->reset();
    panContainer->clearRows();
    panContainer->load();
    panContainer->txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmFleetList::done(int result) {
    panContainer->clearRows();
    TAuxDialog::done(result);
}

void TfrmFleetList::keyPressEvent(QKeyEvent* event) {
    // Left only through "Chiudi" or a double-click.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    TAuxDialog::keyPressEvent(event);
}
