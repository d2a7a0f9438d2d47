#include "output/report/Printing.h"

#include "app/FileDialogs.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct TestState {
    bool testing = false; // once a test asked for PDF files, no real printer is ever used
    QString folder;
    QList<bool> answers;
    QStringList files;
    int dialogs = 0;
    bool realDialog = false;
    bool failNext = false;
    bool noDefault = false;
};

TestState& state() {
    static TestState s;
    return s;
}

// Where a test's pages go when it names no folder of its own.
QString spareFolder() {
    static QTemporaryDir spare;
    return spare.path();
}

QString defaultPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Onderia.pdf"));
}

// The PDF file the next printed document goes to, in the tests' folder.
QString nextFile() {
    TestState& s = state();
    const QString file =
        QDir(s.folder).filePath(QStringLiteral("print-%1.pdf").arg(s.files.size() + 1));
    s.files.append(file);
    return file;
}

} // namespace

std::unique_ptr<QPrinter> Printing::printer() {
    TestState& s = state();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!s.folder.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        if (s.failNext) {
            // A folder standing where the file should go: the printer cannot be opened.
            s.failNext = false;
            const QString blocked = QDir(s.folder).filePath(QStringLiteral("blocked.pdf"));
            QDir().mkpath(blocked);
            printer->setOutputFileName(blocked);
            return printer;
        }
        if (!s.noDefault)
            printer->setOutputFileName(nextFile());
        return printer;
    }
    return printer;
}

bool Printing::ready(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return printer.isValid() && !QPrinterInfo::defaultPrinter().isNull();
}

bool Printing::dialog(QPrinter& printer, QWidget* parent) {
    TestState& s = state();
    ++s.dialogs;
    if (!s.folder.isEmpty() && !s.realDialog) {
        const bool confirmed = s.answers.isEmpty() ? true : s.answers.takeFirst();
        if (confirmed && printer.outputFileName().isEmpty())
            printer.setOutputFileName(nextFile());
        return confirmed;
    }
    if (printer.outputFormat() != QPrinter::PdfFormat &&
        QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer installed: the page can still go to a PDF file.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(defaultPdfPath());
    }
#ifdef Q_OS_WIN
    // The Windows dialog knows only installed printers: without one, choose the PDF file.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = FileDialogs::saveFile(parent, QStringLiteral("Stampa su file PDF"),
                                                   printer.outputFileName(),
                                                   QStringLiteral("Documenti PDF (*.pdf)"));
        if (file.isEmpty())
            return false;
        printer.setOutputFileName(file);
        return true;
    }
#endif
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (confirmed && s.testing && printer.outputFormat() != QPrinter::PdfFormat) {
        // A test that confirmed a real queue in the real dialog prints nothing.
        qWarning("Printing: a test chose the printer queue \"%s\"; nothing is printed",
                 qPrintable(printer.printerName()));
        return false;
    }
    return confirmed;
}

void Printing::Test::toPdf(const QString& folder) {
    state() = TestState{};
    state().testing = true;
    state().folder = folder.isEmpty() ? spareFolder() : folder;
}

void Printing::Test::answerDialog(bool confirm) {
    state().answers.append(confirm);
}

void Printing::Test::useRealDialog(bool on) {
    state().realDialog = on;
}

QStringList Printing::Test::files() {
    return state().files;
}

int Printing::Test::dialogs() {
    return state().dialogs;
}

void Printing::Test::failNextPrinter() {
    state().failNext = true;
}

void Printing::Test::noDefaultPrinter(bool on) {
    state().noDefault = on;
}
