#include "output/RecordGrid.h"

#include "store/ShortText.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

quint64 editKey(quint32 stored, int column) {
    return (quint64(stored) << 8) | quint64(column);
}

} // namespace

RecordGridModel::RecordGridModel(QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

int RecordGridModel::column(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).name == name)
            return i;
    return -1;
}

void RecordGridModel::beginLoad() {
    beginResetModel();
    pool_.clear();
    starts_.clear();
    lengths_.clear();
    numbers_.clear();
    order_.clear();
    edits_.clear();
}

void RecordGridModel::reserve(qsizetype rows, qsizetype bytesPerRow) {
    const size_t n = size_t(std::max<qsizetype>(0, rows));
    starts_.reserve(n);
    numbers_.reserve(n);
    order_.reserve(n);
    lengths_.reserve(n * size_t(fields()));
    pool_.reserve(rows * bytesPerRow);
}

void RecordGridModel::appendBytes(quint32 number, std::initializer_list<QByteArrayView> texts) {
    const quint32 stored = static_cast<quint32>(numbers_.size());
    starts_.push_back(pool_.size());
    numbers_.push_back(number);
    order_.push_back(stored);
    // The row's texts go into the pool in one step: growing the pool text by text cost more
    // than the copying itself (a season's summary holds over a million texts).
    QVarLengthArray<QByteArrayView, 48> kept;
    qsizetype total = 0;
    int given = 0;
    for (QByteArrayView text : texts) {
        if (given++ == fields())
            break;
        const QByteArrayView k = ShortText::trimmed(text);
        kept.append(k.first(std::min<qsizetype>(k.size(), std::numeric_limits<quint16>::max())));
        total += kept.back().size();
    }
    const qsizetype at = pool_.size();
    if (at + total > pool_.capacity()) // room by doubling: resize alone grows to the exact size
        pool_.reserve(std::max(2 * pool_.capacity(), at + total));
    pool_.resize(at + total);
    char* out = pool_.data() + at;
    for (QByteArrayView k : kept) {
        if (!k.isEmpty())
            std::memcpy(out, k.data(), size_t(k.size()));
        out += k.size();
        lengths_.push_back(static_cast<quint16>(k.size()));
    }
    for (; given < fields(); ++given)
        lengths_.push_back(0);
}

void RecordGridModel::appendRow(quint32 number, const QStringList& texts) {
    QList<QByteArray> bytes;
    for (int i = 0; i < fields(); ++i)
        bytes.append(ShortText::toWindows1252(texts.value(i)));
    const quint32 stored = static_cast<quint32>(numbers_.size());
    starts_.push_back(pool_.size());
    numbers_.push_back(number);
    order_.push_back(stored);
    for (const QByteArray& b : bytes)
        pushText(b);
}

void RecordGridModel::pushText(QByteArrayView text) {
    QByteArrayView kept = ShortText::trimmed(text);
    kept = kept.first(std::min<qsizetype>(kept.size(), std::numeric_limits<quint16>::max()));
    pool_.append(kept);
    lengths_.push_back(static_cast<quint16>(kept.size()));
}

void RecordGridModel::endLoad() {
    pool_.squeeze();
    endResetModel();
}

QByteArrayView RecordGridModel::storedBytes(quint32 stored, int column) const {
    const size_t first = size_t(stored) * size_t(fields());
    qint64 at = starts_[stored];
    for (int i = 1; i < column; ++i)
        at += lengths_[first + size_t(i - 1)];
    return QByteArrayView(pool_).sliced(at, lengths_[first + size_t(column - 1)]);
}

void RecordGridModel::sortByColumn(int column, const QCollator& collator) {
    if (column < 1 || column > fields() || order_.size() < 2)
        return;
    // A fleet has few types of craft: sort the distinct texts once, then place the rows by the
    // rank of their text.
    QHash<QByteArrayView, int> distinct;
    std::vector<int> textOf(numbers_.size());
    QList<QByteArrayView> texts;
    for (quint32 stored = 0; stored < numbers_.size(); ++stored) {
        const QByteArrayView bytes = storedBytes(stored, column);
        auto it = distinct.constFind(bytes);
        if (it == distinct.constEnd()) {
            it = distinct.insert(bytes, static_cast<int>(texts.size()));
            texts.append(bytes);
        }
        textOf[stored] = it.value();
    }
    // Compared with the collator itself, not through its sort keys: they are few, and Qt 6.4's
    // sort keys on Windows are not reliable (a key's bytes sit in a text twice their size, the
    // rest left as it was, so equal texts may compare unequal).
    std::vector<QString> decoded;
    decoded.reserve(size_t(texts.size()));
    for (QByteArrayView bytes : texts)
        decoded.push_back(ShortText::fromWindows1252(bytes.data(), bytes.size()));
    std::vector<int> byText(size_t(texts.size()));
    for (size_t i = 0; i < byText.size(); ++i)
        byText[i] = static_cast<int>(i);
    std::stable_sort(byText.begin(), byText.end(), [&](int a, int b) {
        return collator.compare(decoded[size_t(a)], decoded[size_t(b)]) < 0;
    });
    std::vector<int> rank(byText.size());
    int current = 0;
    for (size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 &&
            collator.compare(decoded[size_t(byText[i - 1])], decoded[size_t(byText[i])]) != 0)
            ++current;
        rank[size_t(byText[i])] = current;
    }

    // The rows placed by rank, each rank's rows in their present order: the stable sort by rank
    // in one pass over the rows, with no comparisons.
    std::vector<size_t> first(size_t(current) + 2, 0);
    for (quint32 stored : order_)
        ++first[size_t(rank[size_t(textOf[stored])]) + 1];
    for (size_t r = 1; r < first.size(); ++r)
        first[r] += first[r - 1];
    std::vector<quint32> sorted(order_.size());
    for (quint32 stored : order_)
        sorted[first[size_t(rank[size_t(textOf[stored])])]++] = stored;
    beginResetModel();
    order_ = std::move(sorted);
    endResetModel();
}

QString RecordGridModel::text(qsizetype row, int column) const {
    if (row < 0 || row >= qsizetype(order_.size()) || column < 0 || column > fields())
        return QString();
    const quint32 stored = order_[size_t(row)];
    if (column == 0)
        return numbers_[stored] == 0 ? QString() : QString::number(numbers_[stored]);
    if (!edits_.isEmpty()) {
        const auto it = edits_.constFind(editKey(stored, column));
        if (it != edits_.constEnd())
            return it.value();
    }
    const QByteArrayView bytes = storedBytes(stored, column);
    return ShortText::fromWindows1252(bytes.data(), bytes.size());
}

bool RecordGridModel::storedText(qsizetype row, int column, QByteArrayView& bytes) const {
    if (row < 0 || row >= qsizetype(order_.size()) || column < 1 || column > fields())
        return false;
    const quint32 stored = order_[size_t(row)];
    if (!edits_.isEmpty() && edits_.contains(editKey(stored, column)))
        return false;
    bytes = storedBytes(stored, column);
    return true;
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return text(index.row(), index.column());
}

bool RecordGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !columns_.at(index.column()).editable)
        return false;
    edits_.insert(editKey(order_[size_t(index.row())], index.column()),
                  RecordGrid::oneLine(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags RecordGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (columns_.at(index.column()).editable)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return columns_.at(section).header;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

QString RecordGrid::oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

namespace {

// A cell editor of one line: a text pasted or dropped with line breaks gets blanks instead.
class OneLineCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            QObject::connect(line, &QLineEdit::textChanged, line, [line](const QString& text) {
                const QString single = RecordGrid::oneLine(text);
                if (single != text) {
                    const int at = line->cursorPosition();
                    line->setText(single);
                    line->setCursorPosition(at);
                }
            });
        }
        return editor;
    }
};

} // namespace

QTableView* RecordGrid::makeView(QWidget* parent, RecordGridModel* model) {
    auto* view = new QTableView(parent);
    view->setItemDelegate(new OneLineCells(view));
    view->setObjectName(QStringLiteral("grdRecords"));
    view->setModel(model);
    view->setAlternatingRowColors(true);
    view->setStyleSheet(QStringLiteral(
        "QTableView { background: #FFFFFF; alternate-background-color: #EAF4FA;"
        " gridline-color: #D5E3EC; border: 1px solid #B8D3E3;"
        " selection-background-color: #FFE9A8; selection-color: #1F3A4D; }"
        "QHeaderView::section { background: #DCEBF4; color: #0B2E59; font-weight: bold;"
        " border: none; border-right: 1px solid #B8D3E3; border-bottom: 1px solid #B8D3E3;"
        " padding: 3px 4px; }"));
    view->setWordWrap(false);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(21);
    view->verticalHeader()->setDefaultSectionSize(21);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < model->columns().size(); ++i)
        view->setColumnWidth(i, model->columns().at(i).width);
    return view;
}
