#pragma once
#include "help/LinkDialog.h"

// The information screen: about the program, with an e-mail link to its maker.
class TfrmInfo : public TLinkDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner);
};
