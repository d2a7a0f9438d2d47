#pragma once
#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

// Modal screens block the call that opens them. Schedule what the user does in the screen
// before that call: `act` runs once a T is the active modal window, after which the screen is
// closed if it is still open, so a failed check inside never leaves a test hanging. Waiting
// stops when the test that scheduled it is over.
template <typename T> void whenModal(std::function<void(T*)> act, int triesLeft = 200) {
    const QByteArray test = QByteArray(QTest::currentTestFunction()) + '/' +
                            QByteArray(QTest::currentDataTag() ? QTest::currentDataTag() : "");
    QTimer::singleShot(10, [act, triesLeft, test] {
        const QByteArray now = QByteArray(QTest::currentTestFunction()) + '/' +
                               QByteArray(QTest::currentDataTag() ? QTest::currentDataTag() : "");
        if (now != test)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        T* screen = qobject_cast<T*>(modal);
        if (!screen) {
            if (triesLeft > 0)
                whenModal<T>(act, triesLeft - 1);
            else if (modal)
                modal->close();
            return;
        }
        QPointer<T> guard(screen);
        act(screen);
        if (guard && guard->isVisible())
            guard->close();
    });
}
