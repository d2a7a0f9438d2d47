#pragma once
#include <QString>

class QWidget;

// Help pages: each opening shows a new help screen, owned by the opener, with the page of the
// given title.
namespace Help {

void showPage(QWidget* owner, const QString& title);

} // namespace Help
