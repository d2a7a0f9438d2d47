#include "help/HelpPages.h"

namespace {

QStringList vuvediDuvav() {
    return {
        QStringLiteral(
            "Questa applicazione raccoglie i dati di ogni mezzo della flotta che i clienti "
            "possono noleggiare: codice identificativo, tipologia, tariffa di noleggio, "
            "caratteristiche, ubicazione, accessori consegnati al cliente, requisiti per il "
            "noleggio (per esempio la patente nautica), documenti richiesti ed eventuali note."),
        QStringLiteral(
            "Per archiviare un nuovo mezzo premere Nuovo, compilare i campi desiderati e premere "
            "Salva; per modificare una scheda, richiamarla con la ricerca o con le frecce di "
            "scorrimento, aggiornarla e premere Salva."),
        QStringLiteral(
            "Il pulsante Duplica serve a inserire rapidamente molti mezzi simili (stessa "
            "ubicazione, stessa tariffa): richiamare una scheda, premere Duplica, modificare i "
            "dati e premere Salva."),
        QStringLiteral(
            "Il campo \"Stato attuale\" è di sola lettura e si aggiorna da sé: la registrazione "
            "di un ritiro sostituisce \"Disponibile\" con il nome del cliente seguito dalla data e "
            "dall'ora del ritiro; la registrazione della riconsegna lo riporta a \"Disponibile\"."),
        QStringLiteral(
            "Con Allega file si possono collegare a ogni scheda fino a tre file, che si aprono "
            "con un solo clic (documentazione tecnica, fattura di acquisto e simili)."),
        QStringLiteral(
            "Il pulsante Trova cerca nell'archivio anche per chiave parziale, cioè una o più "
            "parole consecutive contenute nei campi, applicando uno o più filtri "
            "contemporaneamente (per esempio tutti i mezzi di una tipologia, quelli con gli "
            "stessi accessori o quelli con determinate parole nelle note); i risultati si possono "
            "stampare."),
        QStringLiteral(
            "Un mezzo che al momento non può essere noleggiato, perché in riparazione o in "
            "manutenzione, si contrassegna spuntando l'apposita casella; il pulsante con il "
            "triangolo giallo elenca tutti questi mezzi. Gli elenchi di selezione per il ritiro "
            "e per la riconsegna li escludono: quando il mezzo torna noleggiabile occorre "
            "togliere la spunta e salvare la scheda."),
        QStringLiteral(
            "Con Stampa si stampa la singola scheda; l'intera flotta si può esportare in un "
            "foglio di Microsoft Excel."),
    };
}

QStringList ritiriRiconsegne() {
    return {
        QStringLiteral(
            "Due schermate di lavoro quasi identiche permettono di registrare rapidamente i "
            "ritiri e le riconsegne, legando ogni operazione al cliente, alla data e all'ora "
            "esatta; per prima cosa premere il pulsante dell'operazione desiderata, ritiro o "
            "riconsegna."),
        QStringLiteral(
            "Nella finestra che segue, il pulsante Seleziona mezzo apre l'elenco dei mezzi "
            "disponibili per il ritiro oppure di quelli da riconsegnare."),
        QStringLiteral(
            "Un doppio clic su una voce dell'elenco porta la scheda del mezzo nel modulo di "
            "ritiro o di riconsegna. L'elenco attinge all'archivio della flotta ed esclude i "
            "mezzi contrassegnati come non noleggiabili; l'elenco dei mezzi da riconsegnare "
            "mostra per ciascuno il cliente che lo ha noleggiato e la data e l'ora di inizio del "
            "noleggio."),
        QStringLiteral(
            "Dalla flotta vengono riportati i dati del mezzo: codice, tipologia, tariffa, "
            "ubicazione, accessori, requisiti e documenti richiesti."),
        QStringLiteral(
            "Data e ora sono già compilate e si possono modificare, tranne l'anno; data, ora e "
            "nome del cliente (seguito, se si desidera, da un numero di cellulare) sono "
            "obbligatori."),
        QStringLiteral(
            "Il pulsante Stampa modulo stampa il modulo che il cliente firma al ritiro e alla "
            "riconsegna."),
        QStringLiteral(
            "Dopo la stampa, Applica e chiudi completa la registrazione; ogni riconsegna "
            "registrata confluisce in un archivio storico dal quale si ottengono i riepiloghi "
            "dei noleggi per i periodi desiderati."),
    };
}

// The period wording of the first paragraph, and the wider one the overview uses instead.
const QString kChosenPeriod = QStringLiteral("in un intervallo di tempo di propria scelta");
const QString kAnyPeriod = QStringLiteral("in un qualsiasi intervallo di tempo");

QStringList dizidovIzevude() {
    return {
        QStringLiteral("Questa applicazione mostra i riepiloghi dei ritiri e delle riconsegne "
                       "avvenuti ") +
            kChosenPeriod +
            QStringLiteral(", utili per le analisi interne di sicurezza e di gestione delle "
                           "risorse: la piena tracciabilità dei mezzi noleggiati riduce il "
                           "rischio di smarrimenti e di furti."),
        QStringLiteral(
            "Le voci del riepilogo sono ordinate per tipo di mezzo, in ordine alfabetico e senza "
            "distinzione fra maiuscole e minuscole; ogni riga conserva il proprio numero "
            "d'ordine di registrazione. L'elenco comprende tutti i noleggi registrati, tranne "
            "quelli dei mezzi che non sono ancora stati riconsegnati."),
        QStringLiteral(
            "Per lo storico indicare l'anno solare e il primo e l'ultimo giorno del periodo, "
            "riferiti alla data di ritiro, quindi premere Visualizza riepilogo. Il riepilogo si "
            "può esportare in un file di Excel e stampare; il file si apre con qualsiasi "
            "programma in grado di leggere i file XLS (OpenOffice, LibreOffice, Microsoft "
            "Office)."),
        QStringLiteral(
            "La schermata dello storico offre anche un collegamento che mostra e stampa l'elenco "
            "dei mezzi non ancora riconsegnati, con il cliente che li ha noleggiati e la data e "
            "l'ora di inizio del noleggio."),
    };
}

QStringList exportExcel() {
    return {
        QStringLiteral(
            "Il pulsante Esporta archivio esporta lo schedario dei mezzi in un foglio di lavoro "
            "di Microsoft Excel, che si apre con qualsiasi programma in grado di leggere i file "
            "XLS (OpenOffice, LibreOffice, Microsoft Office)."),
        QStringLiteral(
            "Una volta aperta la finestra con la griglia dei dati, fare clic sull'icona di "
            "Excel: viene scritto subito un file XLS con le schede presenti in archivio, che si "
            "apre immediatamente se si risponde sì alla domanda che segue."),
        QStringLiteral(
            "A quel punto basta salvare il file sul disco rigido con il nome che si preferisce."),
    };
}

QStringList overview() {
    QStringList paragraphs = {
        QStringLiteral(
            "Onderia è il software per stabilimenti balneari di ogni dimensione che segue in "
            "tempo reale il ritiro e la riconsegna dei mezzi nautici (moto d'acqua, canoe, "
            "kayak, gommoni, pedalò e così via) da parte dei clienti e fornisce lo storico dei "
            "noleggi per qualsiasi periodo: registra con esattezza chi ha ritirato e chi ha "
            "riconsegnato quale mezzo, e quando."),
        QStringLiteral(
            "Le procedure manuali e i registri cartacei sono lenti e soggetti a errori; Onderia "
            "offre una visione chiara dei ritiri e delle riconsegne ed elenca in pochi clic i "
            "mezzi disponibili e quelli a noleggio."),
    };
    paragraphs += vuvediDuvav();
    paragraphs += ritiriRiconsegne();
    const QStringList history = dizidovIzevude();
    paragraphs += QString(history.first()).replace(kChosenPeriod, kAnyPeriod);
    paragraphs += history.mid(1);
    paragraphs += {
        QStringLiteral(
            "Il programma si può usare anche in una rete locale, quando gli archivi devono "
            "essere condivisi fra più postazioni di lavoro."),
        QStringLiteral(
            "L'accesso è protetto da una password che si può cambiare tutte le volte che si "
            "vuole; per il primo accesso la password è \"ormeggiodiprua\", da digitare senza le "
            "virgolette."),
        QStringLiteral(
            "Il programma funziona anche da una chiavetta USB: basta copiare la cartella del "
            "programma sulla chiavetta e avviarlo da lì. Copiare la cartella su un dispositivo "
            "esterno è anche il modo più rapido per fare una copia di sicurezza di tutti gli "
            "archivi."),
        QStringLiteral(
            "In conclusione: un modo efficace per seguire i mezzi noleggiati e per lasciarsi "
            "alle spalle un faticoso lavoro manuale, con un programma che non richiede "
            "praticamente alcun tempo di apprendimento."),
    };
    return paragraphs;
}

} // namespace

QList<HelpPage> HelpPages::all() {
    return {
        {kOverview, overview()},
        {kVuvediDuvav, vuvediDuvav()},
        {kRitiriRiconsegne, ritiriRiconsegne()},
        {kDizidovIzevude, dizidovIzevude()},
        {kExportExcel, exportExcel()},
    };
}

HelpPage HelpPages::page(const QString& title) {
    for (const HelpPage& candidate : all())
        if (candidate.title == title)
            return candidate;
    return {};
}

QString HelpPages::joined(const HelpPage& page) {
    return page.paragraphs.join(QStringLiteral("\r\n\r\n"));
}
