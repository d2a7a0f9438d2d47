// Writes the user guide Guida.pdf from the help pages; the build runs it.
#include "help/GuideWriter.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Guida.pdf");
    if (!GuideWriter::write(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
