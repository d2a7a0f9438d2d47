#pragma once
#include <QList>
#include <QString>

// Every message box of the program goes through here. Three forms:
//  - notification: warning, error or information icon, OK and Cancel, the answer is not used;
//  - question: Yes and No, the action goes ahead unless the answer is No;
//  - plain message: no icon, OK only.
// Boxes are modal and centred on the screen. Tests switch on the recording mode: nothing is
// shown, every box is recorded, and questions take their answers from a queue.
namespace Msg {

enum class Form { Notification, Question, Plain };
enum class Icon { None, Warning, Error, Information, Question };

void warning(const QString& text);
void error(const QString& text);
void information(const QString& text);
// True unless the user answers No.
bool ask(const QString& text);
void plain(const QString& text);

// The text as the box shows it: the Windows-style "\n\r" pairs of the program's messages
// become plain line breaks, so "\n\r\n\r" shows as one empty line.
QString displayText(const QString& text);

struct Shown {
    Form form;
    Icon icon;
    QString text;
};

namespace Test {
void record(bool on);  // recording mode on or off; on also clears the log
QList<Shown>& shown(); // boxes shown since recording started, oldest first
void answer(bool yes); // queue the answer of the next question
Shown last();          // the last box shown (an empty one when none)
void clear();
} // namespace Test

} // namespace Msg
