#include "help/TfrmGuida.h"

#include "app/Messages.h"
#include "app/OpenURL.h"
#include "app/Theme.h"
#include "app/UiKit.h"
#include "store/ProgramFolder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

TfrmGuida::TfrmGuida(QWidget* owner)
    : TAuxDialog(owner, QStringLiteral(" Guida all'utilizzo del software")) {
    setObjectName(QStringLiteral("frmGuida"));
    const QSize size(780, 620);

    imgLogo = UiKit::picture(this, QStringLiteral("imgLogo"),
                             QStringLiteral(":/art/guida_logo.svg"), QSize(size.width(), 96));
    UiKit::name(imgLogo, QStringLiteral("Guida all'utilizzo del software"));

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setProperty("role", QStringLiteral("title"));
    QFont titleFont = lblTitolo->font();
    titleFont.setPointSize(15);
    titleFont.setBold(true);
    lblTitolo->setFont(titleFont);
    UiKit::name(lblTitolo, lblTitolo->text());

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setWordWrapMode(QTextOption::WordWrap);
    txtGuida->document()->setDocumentMargin(14);
    QFont textFont = txtGuida->font();
    textFont.setPointSizeF(10.5);
    txtGuida->setFont(textFont);
    UiKit::name(txtGuida, QStringLiteral("Testo della guida"));

    imgPDF =
        UiKit::pictureButton(this, QStringLiteral("imgPDF"), QStringLiteral(":/art/icon_pdf.svg"),
                             QSize(30, 34), QStringLiteral("Guida in PDF"));
    imgPDF->setAutoDefault(false);
    lnkWeb = UiKit::linkButton(this, QStringLiteral("lnkWeb"),
                               QStringLiteral("Visualizza guida in formato PDF"));
    UiKit::tieToLink(imgPDF, lnkWeb);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumWidth(110);
    UiKit::name(btnChiudi, btnChiudi->text());

    auto* body = new QVBoxLayout;
    body->setContentsMargins(24, 14, 24, 18);
    body->setSpacing(10);
    body->addWidget(lblTitolo);
    body->addWidget(txtGuida, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(imgPDF);
    bottom->addWidget(lnkWeb);
    bottom->addStretch(1);
    bottom->addWidget(btnChiudi);
    body->addLayout(bottom);

    UiKit::logoAbove(this, imgLogo, body, size);

    connect(lnkWeb, &QPushButton::clicked, this, &TfrmGuida::lnkWebClick);
    connect(imgPDF, &QPushButton::clicked, this, &TfrmGuida::imgPDFClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
    btnChiudi->setFocus();
}

void TfrmGuida::setPage(const QString& title, const QString& paragraphs) {
    lblTitolo->setText(title);
    UiKit::name(lblTitolo, title);
    // The page keeps Windows line ends ("\r\n\r\n" between paragraphs); shown, that is one
    // empty line.
    txtGuida->setPlainText(Msg::displayText(paragraphs));
}

QString TfrmGuida::guideCommand() {
    return QLatin1Char('"') + ProgramFolder::file(QStringLiteral("Guida.pdf")) + QLatin1Char('"');
}

void TfrmGuida::lnkWebClick() {
    UiKit::setLinkColour(lnkWeb, Theme::kLink);
    TMisc::Open(guideCommand());
}

void TfrmGuida::imgPDFClick() {
    lnkWebClick();
}

void TfrmGuida::btnChiudiClick() {
    close();
}
