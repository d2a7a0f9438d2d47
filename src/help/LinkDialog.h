#pragma once
#include "app/AppScreen.h"

class QLabel;
class QPushButton;

// The information and splash screens share one shape: a large picture, a small picture with a
// link text beside it that hands one command to the shell, and "Chiudi".
class TLinkDialog : public TAuxDialog {
    Q_OBJECT
public:
    struct Layout {
        QString caption;
        QString logoSvg;
        QSize logoSize;
        QString logoName;    // accessible name of the large picture
        QString pictureName; // objectName of the small picture (imgEmail, imgWeb)
        QString pictureSvg;
        QString pictureAction; // accessible name of the small picture
        QString linkText;
        QString command; // what the link hands to TMisc::Open
    };
    TLinkDialog(QWidget* owner, const Layout& layout);

    QString command() const { return command_; }

private slots:
    void lnkWebClick();
    void btnChiudiClick();

protected:
    QLabel* imgLogo;
    QPushButton* picture;
    QPushButton* lnkWeb;
    QPushButton* btnChiudi;

private:
    QString command_;
};
