#include "ModalHelpers.h"
#include "TestSupport.h"

#include "app/Errors.h"
#include "app/Messages.h"
#include "app/Startup.h"
#include "app/UiKit.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

class TestConventions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void messageBoxes_data();
    void messageBoxes();
    void windowsLineBreaksShowAsOneEmptyLine();
    void statusLineHints();
    void movingBackOntoTheBackgroundEmptiesTheStatusLine();
    void backgroundColouring();
    void enterChainWrapsAround();

private:
    TestSandbox* sandbox = nullptr;
};

void TestConventions::initTestCase() {
    // Standard button captions in Italian, as the program starts with.
    Startup::installTranslations(*qobject_cast<QApplication*>(qApp));
}

void TestConventions::init() {
    sandbox = new TestSandbox;
}

void TestConventions::cleanup() {
    delete sandbox;
    sandbox = nullptr;
}

void TestConventions::messageBoxes_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("answer");
    const QStringList okCancel = {QStringLiteral("OK"), QStringLiteral("Annulla")};
    const QStringList yesNo = {QStringLiteral("Sì"), QStringLiteral("No")};
    QTest::newRow("warning, cancelled")
        << "warning" << int(QMessageBox::Warning) << okCancel << "Annulla" << true;
    QTest::newRow("error") << "error" << int(QMessageBox::Critical) << okCancel << "OK" << true;
    QTest::newRow("information") << "information" << int(QMessageBox::Information) << okCancel
                                 << "OK" << true;
    QTest::newRow("question, yes") << "ask" << int(QMessageBox::Question) << yesNo << "Sì" << true;
    QTest::newRow("question, no") << "ask" << int(QMessageBox::Question) << yesNo << "No" << false;
    QTest::newRow("plain") << "plain" << int(QMessageBox::NoIcon) << QStringList{"OK"} << "OK"
                           << true;
}

void TestConventions::messageBoxes() {
    QFETCH(QString, form);
    QFETCH(int, icon);
    QFETCH(QStringList, buttons);
    QFETCH(QString, press);
    QFETCH(bool, answer);
    Msg::Test::record(false); // the real box this time
    QStringList shownButtons;
    QString shownText;
    int shownIcon = -1;
    QPoint centre;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        shownText = box->text();
        shownIcon = box->icon();
        centre = box->frameGeometry().center();
        for (QAbstractButton* button : box->buttons())
            shownButtons << button->text().remove(QLatin1Char('&'));
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove(QLatin1Char('&')) == press)
                button->click();
    });
    const QString text = QStringLiteral("Riga uno.\n\r\n\rRiga due.");
    bool result = true;
    if (form == QLatin1String("warning"))
        Msg::warning(text);
    else if (form == QLatin1String("error"))
        Msg::error(text);
    else if (form == QLatin1String("information"))
        Msg::information(text);
    else if (form == QLatin1String("ask"))
        result = Msg::ask(text);
    else
        Msg::plain(text);
    Msg::Test::record(true);
    QCOMPARE(shownIcon, icon);
    shownButtons.sort();
    buttons.sort();
    QCOMPARE(shownButtons, buttons);
    QCOMPARE(shownText, QStringLiteral("Riga uno.\n\nRiga due."));
    QCOMPARE(result, answer);
    // Centred on the screen.
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((centre - screenCentre).manhattanLength() <= 4);
}

void TestConventions::windowsLineBreaksShowAsOneEmptyLine() {
    QCOMPARE(Msg::displayText(kArchiveAccessError),
             QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\n"
                            "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                            "installazione del programma."));
    QCOMPARE(Msg::displayText(QStringLiteral("a\r\n\r\nb")), QStringLiteral("a\n\nb"));
    // The text handed to the helper is recorded exactly.
    Msg::error(kArchiveAccessError);
    QCOMPARE(Msg::Test::last().text, kArchiveAccessError);
    QCOMPARE(Msg::Test::last().text.count(QStringLiteral("\n\r\n\r")), 1);
}

void TestConventions::statusLineHints() {
    QWidget window;
    auto* panInfo =
        new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), &window);
    auto* button = new QPushButton(QStringLiteral("Salva"), &window);
    auto* edit = new QLineEdit(&window);
    auto* decoration = new QLabel(&window);
    UiKit::StatusLine status(panInfo);
    status.hint(button, QStringLiteral("Salva la scheda."));
    status.background(&window);
    status.background(decoration);
    QCOMPARE(button->accessibleDescription(), QStringLiteral("Salva la scheda."));

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(edit, &enter); // a field without a hint changes nothing
    QCOMPARE(panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QApplication::sendEvent(button, &enter);
    QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda."));
    QApplication::sendEvent(edit, &enter);
    QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda."));
    QApplication::sendEvent(decoration, &enter);
    QVERIFY(panInfo->text().isEmpty());
    QApplication::sendEvent(button, &enter);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(panInfo->text().isEmpty()); // the starting text does not come back
}

void TestConventions::movingBackOntoTheBackgroundEmptiesTheStatusLine() {
    // From a control straight back onto the container under it, the mouse enters nothing new.
    QWidget window;
    window.resize(400, 200);
    auto* content = new QFrame(&window);
    content->setGeometry(10, 10, 380, 180);
    auto* panInfo = new QLabel(QStringLiteral("Pronto"), content);
    panInfo->setGeometry(0, 150, 380, 30);
    auto* button = new QPushButton(QStringLiteral("Salva"), content);
    button->setGeometry(20, 20, 100, 30);
    auto* edit = new QLineEdit(content);
    edit->setGeometry(140, 20, 100, 30);
    UiKit::StatusLine status(panInfo);
    status.hint(button, QStringLiteral("Salva la scheda."));
    status.background(&window);
    status.background(content);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(&window, QPoint(5, 5));
    QTest::mouseMove(button, QPoint(50, 15));
    QTRY_COMPARE(panInfo->text(), QStringLiteral("Salva la scheda."));
    QTest::mouseMove(edit, QPoint(50, 15)); // an edit field leaves it as it is
    QTest::mouseMove(edit, QPoint(60, 16));
    QCOMPARE(panInfo->text(), QStringLiteral("Salva la scheda."));
    QTest::mouseMove(button, QPoint(50, 15));
    QTest::mouseMove(content, QPoint(300, 100));
    QTRY_VERIFY(panInfo->text().isEmpty());
    QTest::mouseMove(button, QPoint(50, 15));
    QTRY_COMPARE(panInfo->text(), QStringLiteral("Salva la scheda."));
    QTest::mouseMove(&window, QPoint(3, 100)); // the window's margin
    QTRY_VERIFY(panInfo->text().isEmpty());
}

void TestConventions::backgroundColouring() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* state = new QLineEdit(&window);
    state->setReadOnly(true);
    layout->addWidget(first);
    layout->addWidget(state);
    UiKit::colourOnFocus(first);
    UiKit::colourOnFocus(state);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    state->setFocus();
    QCOMPARE(first->property("focusFill").toString(), QStringLiteral("#ffffff"));
    QCOMPARE(state->property("focusFill").toString(), QStringLiteral("#f5f5dc"));
    first->setFocus();
    QCOMPARE(first->property("focusFill").toString(), QStringLiteral("#ffff00"));
    QCOMPARE(state->property("focusFill").toString(), QStringLiteral("#f5f5dc"));
    QVERIFY(first->styleSheet().contains(QStringLiteral("#ffff00")));
    QVERIFY(first->styleSheet().contains(QStringLiteral("#87ceeb")));
    state->setFocus();
    QCOMPARE(first->property("focusFill").toString(), QStringLiteral("#ffffff"));
    QCOMPARE(state->property("focusFill").toString(), QStringLiteral("#f5f5dc"));
    // A field that becomes editable takes the usual colours.
    state->setReadOnly(false);
    UiKit::refreshColouring(state);
    QCOMPARE(state->property("focusFill").toString(), QStringLiteral("#ffff00"));
}

void TestConventions::enterChainWrapsAround() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QList<QLineEdit*> fields;
    for (int i = 0; i < 3; ++i) {
        fields << new QLineEdit(&window);
        layout->addWidget(fields.last());
    }
    UiKit::enterChain({fields[0], fields[1], fields[2]});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    fields[0]->setFocus();
    QTest::keyClicks(fields[0], QStringLiteral("ab"));
    QCOMPARE(fields[0]->text(), QStringLiteral("ab")); // other keys go to the field
    QTest::keyClick(fields[0], Qt::Key_Return);
    QVERIFY(fields[1]->hasFocus());
    QTest::keyClick(fields[1], Qt::Key_Enter);
    QVERIFY(fields[2]->hasFocus());
    QTest::keyClick(fields[2], Qt::Key_Return);
    QVERIFY(fields[0]->hasFocus());
}

QTEST_MAIN(TestConventions)
#include "tst_conventions.moc"
