#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The help pages: a title and paragraphs of Italian prose. The overview page is built from the
// paragraphs of the application pages, so the same sentence is never written twice.
struct HelpPage {
    QString title;
    QStringList paragraphs;
};

namespace HelpPages {

inline const QString kOverview = QStringLiteral("Uno sguardo a Onderia");
inline const QString kVuvediDuvav = QStringLiteral("App Vuvedi Duvav");
inline const QString kRitiriRiconsegne = QStringLiteral("App Ritiri e Riconsegne");
inline const QString kDizidovIzevude = QStringLiteral("App Dizidov Izevude");
inline const QString kExportExcel = QStringLiteral("Esportazione vuvedi duvav in Excel");

// Every page, the overview first.
QList<HelpPage> all();
// The page of that title; an empty page (no title, no paragraphs) when there is none.
HelpPage page(const QString& title);
// The paragraphs as the help screen holds them: an empty line between two paragraphs
// ("\r\n\r\n"), nothing before the first or after the last.
QString joined(const HelpPage& page);

} // namespace HelpPages
