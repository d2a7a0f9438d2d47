#include "output/report/Report.h"

#include "app/DateSettings.h"
#include "output/report/Printing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace Report {

namespace {

constexpr double kEps = 1e-6;

QFont fontOf(const Object& o) {
    QFont font(o.fontFamily);
    font.setPointSizeF(o.fontSize);
    font.setBold(o.bold);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

// Measures fonts at a fixed high resolution, so the layout does not depend on the screen.
double fontLineSpacingMm(const Object& o) {
    static QImage probe = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMetre = int(std::lround(1200 / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return QFontMetricsF(fontOf(o), &probe).lineSpacing() / 1200.0 * 25.4;
}

double lineHeightOf(const Object& o) {
    return o.lineHeight > 0 ? o.lineHeight : fontLineSpacingMm(o);
}

bool isMultiLine(const Object& o) {
    return o.kind == Object::Kind::Text && o.text.contains(QLatin1Char('\n'));
}

// The highest point at or above `at` (band millimetres) where no line of a text is cut in two.
double lineSafeBreak(const Band& band, double at, double from) {
    double breakAt = at;
    for (const Object& o : band.objects) {
        if (o.kind != Object::Kind::Text)
            continue;
        const QRectF& g = o.geometry;
        if (g.top() >= breakAt - kEps || g.bottom() <= breakAt + kEps)
            continue;
        const double lh = lineHeightOf(o);
        const int lines = int(o.lines().size());
        const double textBottom = g.top() + lines * lh;
        if (textBottom <= breakAt + kEps)
            continue;
        // Break before the line that would be cut.
        const double inside = breakAt - g.top();
        const double lineTop = g.top() + std::floor(inside / lh + kEps) * lh;
        if (lineTop > from + kEps)
            breakAt = std::min(breakAt, lineTop);
    }
    return breakAt;
}

} // namespace

QString printStamp(const QDateTime& moment) {
    return QStringLiteral("Stampa eseguita in data ") +
           moment.date().toString(DateSettings::kShortDateFormat) + QStringLiteral(" alle ore ") +
           QLocale::system().toString(moment.time(), DateSettings::longTimeFormat());
}

Object& Layout::object(const QString& name) {
    for (Object& o : page_.objects)
        if (o.name == name)
            return o;
    for (Band& b : page_.bands)
        for (Object& o : b.objects)
            if (o.name == name)
                return o;
    throw ReportError(QStringLiteral("no object %1 in report %2").arg(name, name_));
}

bool Layout::hasObject(const QString& name) const {
    for (const Object& o : page_.objects)
        if (o.name == name)
            return true;
    for (const Band& b : page_.bands)
        for (const Object& o : b.objects)
            if (o.name == name)
                return true;
    return false;
}

Band& Layout::band(const QString& name) {
    for (Band& b : page_.bands)
        if (b.name == name)
            return b;
    throw ReportError(QStringLiteral("no band %1 in report %2").arg(name, name_));
}

void Layout::setLines(const QString& objectName, const QStringList& lines) {
    object(objectName).text = lines.join(QLatin1Char('\n'));
}

QSizeF Layout::paperSize() const {
    const QSizeF s = page_.size;
    const bool wide = s.width() > s.height();
    const bool wantWide = page_.orientation == QPageLayout::Landscape;
    return wide == wantWide ? s : s.transposed();
}

QPageLayout Layout::pageLayout() const {
    QSizeF portrait = page_.size;
    if (portrait.width() > portrait.height())
        portrait.transpose();
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), page_.orientation, page_.margins,
                       QPageLayout::Millimeter);
}

void Layout::prepare() {
    pages_.clear();
    const QSizeF paper = paperSize();
    const QMarginsF& m = page_.margins;
    const double left = m.left();
    const double top = m.top();
    const double height = paper.height() - m.top() - m.bottom();
    if (height <= 0 || paper.width() - m.left() - m.right() <= 0)
        throw ReportError(QStringLiteral("report %1: the margins leave no room").arg(name_));

    auto newPage = [&] {
        PreparedPage page;
        const QRectF sheet(0, 0, paper.width(), paper.height());
        for (const Object& o : page_.objects) {
            const QPointF origin(left + o.geometry.left(), top + o.geometry.top());
            // A text is cut at its own edges; shapes may reach anywhere on the sheet.
            const QRectF clip = o.kind == Object::Kind::Text
                                    ? QRectF(origin, o.geometry.size()).intersected(sheet)
                                    : sheet;
            Placed p{o, origin, clip, 0, int(o.lines().size())};
            page.items.push_back(p);
        }
        pages_.push_back(std::move(page));
    };

    // Places the piece [from, to) of a band at `y` of the printable area of the current page.
    auto place = [&](const Band& band, double from, double to, double y) {
        const QRectF strip(0, top + y, paper.width(), to - from);
        for (const Object& o : band.objects) {
            const QRectF& g = o.geometry;
            const QPointF origin(left + g.left(), top + y + g.top() - from);
            if (o.kind == Object::Kind::Text && isMultiLine(o)) {
                const double lh = lineHeightOf(o);
                const int lines = int(o.lines().size());
                int first = -1, count = 0;
                for (int i = 0; i < lines; ++i) {
                    const double lineTop = g.top() + i * lh;
                    if (lineTop + kEps >= from && lineTop < to - kEps &&
                        lineTop < g.bottom() - kEps) {
                        if (first < 0)
                            first = i;
                        ++count;
                    }
                }
                const bool fillShows = o.fill.isValid() && g.top() < to && g.bottom() > from;
                if (count == 0 && !fillShows)
                    continue;
                pages_.back().items.push_back({o, origin,
                                               QRectF(origin, g.size()).intersected(strip),
                                               std::max(first, 0), count});
                continue;
            }
            if (g.bottom() < from - kEps || g.top() > to + kEps)
                continue;
            if (o.kind == Object::Kind::Text && (g.top() < from - kEps || g.top() >= to - kEps))
                continue; // a one-line text belongs to the page its top lies on
            const QRectF clip =
                o.kind == Object::Kind::Text ? QRectF(origin, g.size()).intersected(strip) : strip;
            pages_.back().items.push_back({o, origin, clip, 0, int(o.lines().size())});
        }
    };

    newPage();
    double y = 0;
    for (const Band& band : page_.bands) {
        double from = 0;
        for (;;) {
            const double remaining = band.height - from;
            const double avail = height - y;
            if (remaining <= avail + kEps) {
                place(band, from, band.height, y);
                y += remaining;
                break;
            }
            if (!band.allowSplit) {
                if (y > kEps) {
                    newPage();
                    y = 0;
                    continue;
                }
                place(band, from, from + avail, y); // taller than a page: cut at its foot
                y = height;
                break;
            }
            double breakAt = lineSafeBreak(band, from + avail, from);
            if (breakAt <= from + kEps) {
                if (y > kEps) {
                    newPage();
                    y = 0;
                    continue;
                }
                breakAt = from + avail;
            }
            place(band, from, breakAt, y);
            from = breakAt;
            newPage();
            y = 0;
        }
    }
}

void Layout::render(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("report %1: the printer cannot be opened").arg(name_));
    const double dpmm = printer.resolution() / 25.4;
    auto px = [dpmm](const QRectF& mm) {
        return QRectF(mm.left() * dpmm, mm.top() * dpmm, mm.width() * dpmm, mm.height() * dpmm);
    };
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw ReportError(QStringLiteral("report %1: no new page").arg(name_));
        }
        for (const Placed& p : pages_[i].items) {
            const Object& o = p.object;
            const QRectF rect(p.origin, o.geometry.size());
            painter.save();
            painter.setClipRect(px(p.clip));
            switch (o.kind) {
            case Object::Kind::Line: {
                painter.setPen(QPen(o.frame.isValid() ? o.frame : QColor(Qt::black),
                                    std::max(1.0, o.frameWidth * dpmm)));
                painter.setClipping(false);
                const QRectF r = px(rect);
                painter.drawLine(r.topLeft(), r.bottomRight());
                break;
            }
            case Object::Kind::Rect: {
                painter.setClipping(false);
                const QRectF r = px(rect);
                if (o.fill.isValid())
                    painter.fillRect(r, o.fill);
                if (o.frame.isValid()) {
                    painter.setPen(QPen(o.frame, std::max(1.0, o.frameWidth * dpmm)));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(r);
                }
                break;
            }
            case Object::Kind::Text: {
                if (o.fill.isValid())
                    painter.fillRect(px(rect.intersected(p.clip)), o.fill);
                const QFont font = fontOf(o);
                painter.setFont(font);
                painter.setPen(o.color);
                const QFontMetricsF fm(font, &printer);
                const QStringList lines = o.lines();
                const double lh = lineHeightOf(o);
                const Qt::Alignment h = o.alignment & Qt::AlignHorizontal_Mask;
                const double width = rect.width() * dpmm;
                for (int k = 0; k < p.lineCount && p.firstLine + k < lines.size(); ++k) {
                    const int line = p.firstLine + k;
                    QString text = lines.at(line);
                    // No word wrap: a left-aligned text keeps only what starts inside the box.
                    if (h == Qt::AlignLeft || h == 0) {
                        double x = 0;
                        qsizetype keep = 0;
                        while (keep < text.size() && x < width) {
                            x += fm.horizontalAdvance(text.at(keep));
                            ++keep;
                        }
                        text.truncate(keep);
                    }
                    QRectF box;
                    Qt::Alignment v = Qt::AlignTop;
                    if (lines.size() == 1 && (o.alignment & Qt::AlignVCenter)) {
                        box = rect;
                        v = Qt::AlignVCenter;
                    } else if (lines.size() == 1 && (o.alignment & Qt::AlignBottom)) {
                        box = rect;
                        v = Qt::AlignBottom;
                    } else {
                        box = QRectF(rect.left(), rect.top() + line * lh, rect.width(), lh);
                    }
                    painter.drawText(px(box), int(h | v) | Qt::TextSingleLine | Qt::TextDontClip,
                                     text);
                }
                break;
            }
            }
            painter.restore();
        }
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("report %1: printing failed").arg(name_));
}

std::unique_ptr<QPrinter> Layout::preparedPrinter() {
    prepare();
    std::unique_ptr<QPrinter> printer = Printing::printer();
    // Setting the page layout resets the full-page mode, so it comes first: the layout's
    // millimetres count from the paper's corner.
    printer->setPageLayout(pageLayout());
    printer->setFullPage(true);
    return printer;
}

bool Layout::print(QWidget* parent) {
    std::unique_ptr<QPrinter> printer = preparedPrinter();
    if (!Printing::dialog(*printer, parent))
        return false;
    printer->setFullPage(true);
    render(*printer);
    return true;
}

bool Layout::printToDefault(QWidget* parent) {
    std::unique_ptr<QPrinter> printer = preparedPrinter();
    if (!Printing::ready(*printer)) {
        if (!Printing::dialog(*printer, parent))
            return false;
        printer->setFullPage(true);
    }
    render(*printer);
    return true;
}

} // namespace Report
