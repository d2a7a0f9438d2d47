#pragma once
#include <QString>

// The user guide Guida.pdf: every help page, the overview first, written as one PDF document.
namespace GuideWriter {

// Writes the guide to the given file; false when the file cannot be written.
bool write(const QString& pdfPath);

} // namespace GuideWriter
