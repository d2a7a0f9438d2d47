#pragma once
#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

class QCollator;
class QTableView;
class QWidget;

// The grid of the history summary and of the fleet export: a running number in column 0 and
// the texts of one record in the other columns. A season's history holds tens of thousands of
// rows, so the cells are kept as the data files hold them (Windows-1252 bytes, one pool for all
// rows) and only the cells a view asks for are decoded. Texts typed into the editable columns
// are kept beside the pool and win over the stored text.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString name; // colNum, colCodice, ...
        QString header;
        int width;
        bool editable;
    };

    explicit RecordGridModel(QList<Column> columns, QObject* parent = nullptr);

    const QList<Column>& columns() const { return columns_; }
    int column(const QString& name) const;

    // Loading: every row goes in between beginLoad() (which empties the grid) and endLoad().
    void beginLoad();
    // Room for `rows` rows of about `bytesPerRow` bytes of text, when their number is known.
    void reserve(qsizetype rows, qsizetype bytesPerRow);
    // One row: its number (0 shows an empty cell) and the texts of columns 1.. as Windows-1252
    // bytes; blanks and control characters around them are dropped here.
    void appendBytes(quint32 number, std::initializer_list<QByteArrayView> texts);
    void appendRow(quint32 number, const QStringList& texts);
    void endLoad();

    // Sorts the rows by one column's text, compared by the collator; whole rows move together,
    // number included. Rows whose texts compare equal keep their order.
    void sortByColumn(int column, const QCollator& collator);

    // The cell as the grid holds it now (typed text included).
    QString text(qsizetype row, int column) const;
    // The cell's Windows-1252 bytes as loaded, when nothing was typed into it (columns 1..):
    // false for a typed cell and the number column, whose text is text()'s.
    bool storedText(qsizetype row, int column, QByteArrayView& bytes) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void pushText(QByteArrayView text);
    QByteArrayView storedBytes(quint32 stored, int column) const;
    int fields() const { return static_cast<int>(columns_.size()) - 1; }

    QList<Column> columns_;
    QByteArray pool_;               // the texts of all rows, back to back
    std::vector<qint64> starts_;    // where each stored row's texts begin in the pool
    std::vector<quint16> lengths_;  // text lengths, fields() per stored row
    std::vector<quint32> numbers_;  // the running number of each stored row
    std::vector<quint32> order_;    // grid row -> stored row
    QHash<quint64, QString> edits_; // typed texts by stored row and column
};

namespace RecordGrid {

// The view the program's grids share: 21-pixel rows, alternating backgrounds, the model's
// header texts and widths, no row header.
QTableView* makeView(QWidget* parent, RecordGridModel* model);

// A typed text on one line: each line break (CR LF, CR or LF) becomes one blank, since an
// exported file holds no line breaks.
QString oneLine(QString text);

} // namespace RecordGrid
