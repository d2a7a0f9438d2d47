#pragma once
#include <QDialog>
#include <QFrame>
#include <QWidget>

// A maximized persistent screen: its content lives in one fixed-size container centred in
// the window. Closing it (exit picture or close box) shows the start menu, then hides it.
class TAppScreen : public QWidget {
    Q_OBJECT
public:
    explicit TAppScreen(const QString& caption, QWidget* parent = nullptr);
    // The fixed-size container all controls go in.
    QFrame* content() const { return content_; }
    // Shows the screen maximized and brings it to the front.
    void showScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Runs each time the screen is shown.
    virtual void FormShow() {}

protected slots:
    // Runs on every closing (exit button or close box): where the screen goes when it closes;
    // by default back to the start menu.
    virtual void FormClose();

private:
    QFrame* content_;
};

// An auxiliary screen: a fixed-size dialog without title-bar buttons, shown modally by the
// screen that opens it and destroyed when it closes. Centred on the screen, or on its opener.
class TAuxDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAuxDialog(QWidget* owner, const QString& caption);
    void centreOnOpener(bool on) { centreOnOpener_ = on; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool centreOnOpener_ = false;
};
