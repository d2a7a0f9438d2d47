#pragma once
#include "app/AppScreen.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help screen: one help page (its title and paragraphs) and the way to the user guide.
// Created for one showing by the screen that opens it.
class TfrmGuida : public TAuxDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* owner);
    // Shows the page: the title in lblTitolo, the paragraphs in txtGuida.
    void setPage(const QString& title, const QString& paragraphs);

    // The command handed to the shell to open the user guide: the guide's full path in
    // double quotes, so a program folder with blanks in its path still works.
    static QString guideCommand();

private slots:
    void lnkWebClick();
    void imgPDFClick();
    void btnChiudiClick();

private:
    QLabel* imgLogo;
    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
    QPushButton* imgPDF;
    QPushButton* lnkWeb;
    QPushButton* btnChiudi;
};
