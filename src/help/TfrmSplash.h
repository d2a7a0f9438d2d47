#pragma once
#include "help/LinkDialog.h"

// The maker's banner with a link to the maker's web site; centred over the screen that opens it.
class TfrmSplash : public TLinkDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* owner);
};
