#include "app/Startup.h"

#include "access/TfrmPassword.h"
#include "app/ArchiveWait.h"
#include "app/DateSettings.h"
#include "app/Screens.h"
#include "app/SmokeTest.h"
#include "app/Theme.h"
#include "app/UiKit.h"
#include "store/FleetFile.h"
#include "store/PendingReturn.h"

namespace {
// Start-up goes on whatever a file says: the next start tries again.
template <typename Action> void guardedQuietly(Action&& action) {
    try {
        action();
    } catch (const std::exception&) {
    }
}
} // namespace

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Drops the styling Qt queued for a widget and its children at their creation; showing the
// widget styles them all (QWidget::ensurePolished) before they are drawn.
void deferPolish(QWidget* top) {
    QCoreApplication::removePostedEvents(top, QEvent::PolishRequest);
    for (QWidget* w : top->findChildren<QWidget*>())
        QCoreApplication::removePostedEvents(w, QEvent::PolishRequest);
}

} // namespace

void Startup::selectSoftwareRendering() {
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
}

void Startup::installTranslations(QApplication& app) {
    // The program folder may carry its own copy (portable use); otherwise Qt's installed one.
    const QStringList folders = {
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& base : {QStringLiteral("qtbase_it"), QStringLiteral("qt_it")}) {
        for (const QString& folder : folders) {
            auto* translator = new QTranslator(&app);
            if (translator->load(base, folder)) {
                app.installTranslator(translator);
                break;
            }
            delete translator;
        }
    }
}

void Startup::registerFolderFonts() {
    // The portable folder carries the free metric twins of the fonts the layouts name, for a
    // machine that has none of its own.
    const QDir fonts(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts")));
    bool registered = false;
    for (const QString& name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        registered = QFontDatabase::addApplicationFont(fonts.filePath(name)) >= 0 || registered;
    if (!registered)
        return;
    // Fontconfig maps the names the layouts use to their twins on its own; Windows does not, and
    // Wine has no Arial, Courier New or Verdana. Where one is missing its twin takes its place,
    // so every page keeps its geometry.
    const std::pair<const char*, const char*> twins[] = {{"Arial", "Liberation Sans"},
                                                         {"Courier New", "Liberation Mono"},
                                                         {"Verdana", "DejaVu Sans"}};
    for (const auto& [family, twin] : twins)
        if (!QFontDatabase::hasFamily(QString::fromLatin1(family)) &&
            QFontDatabase::hasFamily(QString::fromLatin1(twin)))
            QFont::insertSubstitution(QString::fromLatin1(family), QString::fromLatin1(twin));
}

void Startup::applyDateSettings() {
    DateSettings::apply();
}

void Startup::applyLook(QApplication& app) {
    app.setFont(QFont(Theme::kUiFont, 9));
    app.setWindowIcon(UiKit::artIcon(QStringLiteral(":/art/onderia_icon.svg"), QSize(64, 64)));
    app.setStyleSheet(Theme::styleSheet());
}

void Startup::begin(QApplication& app) {
    app.setApplicationName(QStringLiteral("Onderia"));
    // The hidden login screen stays the main window: the program ends from the start menu or
    // the login screen, never because the last visible window went away.
    app.setQuitOnLastWindowClosed(false);
    installTranslations(app);
    registerFolderFonts();
    applyLook(app);
    // The date conventions are in force before any screen exists, so before any is shown.
    applyDateSettings();
    ArchiveWait::install();
    // A return cut short by a crash or a power cut is finished before anyone looks at the
    // fleet or the history.
    guardedQuietly([] {
        FleetFile::finishInterruptedRewrite();
        PendingReturn::recoverAll();
    });
    // The login screen is on the display before the other screens are built: they are ready
    // long before the password is typed. Input waits until they are.
    Screens::createLogin();
    frmPassword->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Screens::createRest();
    // Only the login screen is styled before it appears; Qt styles every other screen's
    // controls when that screen is first shown.
    for (QWidget* screen : QApplication::topLevelWidgets())
        if (screen != frmPassword)
            deferPolish(screen);
}

int Startup::run(int argc, char** argv) {
    selectSoftwareRendering();
    QApplication app(argc, argv);
    begin(app);
    if (SmokeTest::requested(argc, argv))
        SmokeTest::start();
    const int code = app.exec();
    Screens::destroyAll();
    return code;
}
