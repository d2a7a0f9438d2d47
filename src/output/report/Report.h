#pragma once
#include <QColor>
#include <QDateTime>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <vector>

class QPrinter;
class QWidget;

// A small report engine. A layout is data: one page (size, orientation, margins) with bands
// printed once each, top to bottom, holding named objects placed in millimetres. The screens
// fill objects by name, prepare the pages and print them to a QPrinter.
namespace Report {

// Anything that goes wrong in the engine: an object or band missing from the layout, a printer
// that cannot be opened, a page that cannot be drawn.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// The footer every printed page of the program carries: "Stampa eseguita in data dd/mm/yyyy
// alle ore " and the time in the system's long time format.
QString printStamp(const QDateTime& moment);

// Report units of 1/96 inch, in millimetres.
constexpr double units(double u) {
    return u * 25.4 / 96.0;
}

struct Object {
    enum class Kind { Text, Line, Rect };
    Kind kind = Kind::Text;
    QString name;
    // Millimetres from the top-left corner of the band (or of the printable area for page
    // objects). A line runs from the top-left to the bottom-right corner of its geometry, so a
    // horizontal rule has height 0 and a vertical one width 0.
    QRectF geometry;

    // Text: printed as it stands (nothing in it is evaluated), one line per '\n', never
    // wrapped, cut at the object's edges.
    QString text;
    QString fontFamily = QStringLiteral("Arial");
    double fontSize = 10; // points
    bool bold = false;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    double lineHeight = 0; // mm between the tops of two lines; 0 takes the font's line spacing

    // Fill (texts and rectangles; invalid = none) and outline (rectangles and lines; invalid =
    // none for rectangles).
    QColor fill;
    QColor frame;
    double frameWidth = 0.26; // mm

    QStringList lines() const { return text.split(QLatin1Char('\n')); }
};

struct Band {
    enum class Kind { ReportTitle, MasterData, Footer, Plain };
    QString name;
    Kind kind = Kind::Plain;
    double height = 0; // mm
    // A band taller than what is left of the page continues on the next page (between lines of
    // its texts); a band that may not split moves whole to the next page.
    bool allowSplit = false;
    std::vector<Object> objects;
};

struct Page {
    QString name = QStringLiteral("Page");
    QSizeF size{210, 297}; // mm, as in portrait; the orientation turns it
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // mm
    std::vector<Object> objects;       // lie directly on the page, on every page
    std::vector<Band> bands;           // printed once each, in this order
};

// One object drawn on a prepared page: where its top-left corner lies on the paper (mm), the
// part of the paper it may draw on, and for texts the range of its lines on this page.
struct Placed {
    Object object;
    QPointF origin;
    QRectF clip;
    int firstLine = 0;
    int lineCount = 0;
};

struct PreparedPage {
    std::vector<Placed> items;
};

class Layout {
public:
    Layout() = default;
    Layout(QString name, Page page) : name_(std::move(name)), page_(std::move(page)) {}

    QString name() const { return name_; }
    Page& page() { return page_; }
    const Page& page() const { return page_; }

    // Lookups raise ReportError when the layout has no such object or band.
    Object& object(const QString& name);
    bool hasObject(const QString& name) const;
    Band& band(const QString& name);

    void setText(const QString& objectName, const QString& text) { object(objectName).text = text; }
    void setLines(const QString& objectName, const QStringList& lines);
    void setHeight(const QString& objectName, double mm) {
        object(objectName).geometry.setHeight(mm);
    }
    void setBandHeight(const QString& bandName, double mm) { band(bandName).height = mm; }
    void setOrientation(QPageLayout::Orientation orientation) { page_.orientation = orientation; }

    // Lays the bands out on pages afresh, dropping any pages prepared before.
    void prepare();
    const std::vector<PreparedPage>& preparedPages() const { return pages_; }

    // The page as the printer should be set up for it.
    QPageLayout pageLayout() const;
    // Draws the prepared pages on a printer already set up (see pageLayout()).
    void render(QPrinter& printer) const;

    // Prepares and prints after the printer dialog; false when the user cancels the dialog.
    bool print(QWidget* parent);
    // Prepares and prints straight to the default printer; where the system has none, the
    // printer dialog opens instead (so the page can still go to a PDF file). False when the
    // user cancels that dialog.
    bool printToDefault(QWidget* parent);

private:
    // Prepares the pages and makes the printer for them, set up for the page.
    std::unique_ptr<QPrinter> preparedPrinter();
    QSizeF paperSize() const; // mm, turned by the orientation
    QString name_;
    Page page_;
    std::vector<PreparedPage> pages_;
};

} // namespace Report
