#pragma once
#include "output/report/Report.h"

class QWidget;

// The printed list "Riepilogo dati" of the fleet list screens and the fleet search.
namespace ListReport {

// A4 landscape, margins of 10 mm; bands ReportTitle (txtTitolo), MasterData (txtRiepilogo,
// may split across pages) and Footer (txtPagina).
Report::Layout layout();

// Height of one printed row, in report units.
inline constexpr double kLineUnits = 12.822;

// Fills the layout with the title, the footer stamp of now and every row, sizes the
// master band to its rows, prepares the pages afresh and prints after the printer dialog.
// Returns false when the dialog is cancelled; engine failures are raised.
bool print(Report::Layout& report, const QString& title, const QStringList& rows, QWidget* parent);

} // namespace ListReport
