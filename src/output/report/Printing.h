#pragma once
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;

// The one way to a printer. The print path asks here for its QPrinter and for the printer
// dialog. Tests turn every printer into a PDF file in a folder of their own and answer the
// dialog themselves, so nothing reaches a real printer.
namespace Printing {

// The printer to print on: the system's default printer.
std::unique_ptr<QPrinter> printer();

// True when `printer` can print without asking anything (there is a default printer, or it
// writes a PDF file already named).
bool ready(const QPrinter& printer);

// The printer dialog for `printer`; true when the user confirms. On a machine without a
// printer it still offers printing to a PDF file.
bool dialog(QPrinter& printer, QWidget* parent);

namespace Test {
// Every printer becomes a PDF file in `folder` (print-1.pdf, print-2.pdf, ...) and no dialog
// is shown. From the first call on, the process never prints on a real queue: an empty folder
// sends the pages to a temporary folder, and a real queue chosen in the real dialog prints
// nothing.
void toPdf(const QString& folder);
// The answer of the next printer dialog (confirm when nothing is queued).
void answerDialog(bool confirm);
// Shows the real printer dialog even in PDF mode (the test closes it itself).
void useRealDialog(bool on);
// The PDF files printers were made for, oldest first, and the number of dialogs asked for.
QStringList files();
int dialogs();
// The next printer cannot be opened, as a printer that went away would.
void failNextPrinter();
// Printers behave as on a machine without a default printer: nothing can print without the
// printer dialog, which (when confirmed) sends the page to the next PDF file.
void noDefaultPrinter(bool on);
} // namespace Test

} // namespace Printing
