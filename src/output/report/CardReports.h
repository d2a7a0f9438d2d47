#pragma once
#include "output/report/Report.h"

// The one-page layouts printed from the fleet card and from the pick-up and return screens:
// A4 portrait, margins of 10 mm, every object lying directly on the page.
namespace CardReports {

inline const QColor kLightSteelBlue{0xB0, 0xC4, 0xDE};
inline const QColor kGold{0xFF, 0xD7, 0x00};

// "Scheda Mezzo": the craft's card, ten label and value rows.
Report::Layout schedaMezzo();
// "Modulo Ritiro Mezzi": the pick-up form the customer signs.
Report::Layout moduloRitiro();
// "Modulo Riconsegna Mezzi": the return form the customer signs.
Report::Layout moduloRiconsegna();

} // namespace CardReports
