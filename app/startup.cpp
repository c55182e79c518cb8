#include "app/startup.h"
#include "app/translations.h"

#include "app/TForm1.h"
#include "app/exit_signals.h"
#include "app/guard.h"
#include "app/qtprompts.h"
#include "app/single_instance.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormFriends.h"
#include "dialogs/TFormOptions.h"
#include "settings/registry_file.h"
#include "status/TForm4.h"
#include "status/TFormLan.h"
#include "status/TFormWatcher.h"
#include "status/desktop_notifier.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QSessionManager>
#include <QStandardPaths>

#include <unistd.h>

#include <filesystem>
#include <memory>

namespace vkr {

QFont launcherFont() {
    // The windows are laid out for an 8 point sans serif of 11 pixels: Liberation Sans (or the
    // Windows font it matches the widths of). Where only a wider sans serif is found, it is
    // narrowed until a line of the windows is as wide as in that font (134 pixels).
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
    font.setPixelSize(11);
    const QString line = QStringLiteral("Close launcher after launch");
    constexpr int designWidth = 134;
    for (int stretch = 100; stretch > 75; stretch -= 2) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(line) <= designWidth) {
            break;
        }
    }
    return font;
}

void useLauncherFont() {
    QApplication::setFont(launcherFont());
}

void createForms(Registry& registry) {
    useLauncherFont();
    Forms& f = forms();
    f.form1 = new TForm1(registry);
    f.form2 = new TForm2();
    f.form3 = new TForm3();
    f.form4 = new TForm4();
    f.aboutDialog = new TAboutDialog();
    f.formWatcher = new TFormWatcher();
    // The notifications that a run killed before takes down are those of the same settings.
    // They are named after the settings folder (its device and inode: the file itself is
    // replaced at each save), in the user's runtime folder.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString settings = SingleInstance::socketName(
        QFileInfo(QString::fromStdString(FileRegistry::defaultPath())).absolutePath());
    if (!runtime.isEmpty() && !settings.isEmpty()) {
        f.formWatcher->notifier->keepIdsIn(runtime + "/" + settings + ".notifications");
    }
    f.formOptions = new TFormOptions();
    f.formLan = new TFormLan();
    f.formFriends = new TFormFriends();
}

void destroyForms() {
    Forms& f = forms();
    delete f.formFriends;
    delete f.formLan;
    delete f.formOptions;
    delete f.formWatcher;
    delete f.aboutDialog;
    delete f.form4;
    delete f.form3;
    delete f.form2;
    delete f.form1;
    f = Forms{};
}

QWidget* windowToBringForward() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    const Forms& f = forms();
    const bool watching =
        f.form1 && !f.form1->isVisible() && f.formWatcher && f.formWatcher->isVisible();
    return watching ? static_cast<QWidget*>(f.formWatcher) : f.form1;
}

namespace {

void bringForward() {
    QWidget* window = windowToBringForward();
    if (window) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    }
}

// The end of the program from outside (a signal, the end of the desktop session) takes the
// main window's close path, which saves the settings once.
void closeMainWindow() {
    if (forms().form1) {
        forms().form1->close();
    } else {
        // The first load is waiting for an answer to a question; it holds no lock and nothing
        // was loaded that a save could keep, so the program ends here.
        ::_exit(0);
    }
}

} // namespace

int runLauncher(int argc, char** argv, const std::string& language) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    installTranslations(QString::fromStdString(language));
    QApplication::setQuitOnLastWindowClosed(false);

    // Caught before the launcher can be found, so that a signal sent to it once it answers
    // always takes the close path.
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::received, &app, closeMainWindow);
    QtPrompts qtPrompts;
    setPrompts(&qtPrompts);
    const std::string settingsPath = FileRegistry::defaultPath();
    auto instance = std::make_unique<SingleInstance>(QString::fromStdString(settingsPath));
    switch (instance->claim()) {
    case SingleInstance::Claim::Claimed:
        break;
    case SingleInstance::Claim::HandedOver:
        setPrompts(nullptr);
        return 0;
    case SingleInstance::Claim::Running:
        guarded([&] {
            const std::string folder = std::filesystem::path(settingsPath).parent_path().string();
            prompts().message(QCoreApplication::translate(
                                  "Startup",
                                  "A VKR Launcher already runs on the settings in %1; it could not "
                                  "be brought forward. Use that one, or close it before starting "
                                  "another.")
                                  .arg(QString::fromStdString(folder))
                                  .toStdString());
        });
        setPrompts(nullptr);
        return 0;
    }
    QObject::connect(instance.get(), &SingleInstance::raiseRequested, &app, bringForward);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager&) {
        if (forms().form1) {
            guarded([] { forms().form1->SaveRegistry(); });
        }
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [] {
        if (forms().form1) {
            forms().form1->close();
        }
    });

    FileRegistry registry(settingsPath);

    createForms(registry);
    centreOn(forms().form1, nullptr);
    forms().form1->show();
    int code = QApplication::exec();
    // From here on a later start cannot be brought forward here: it becomes the launcher.
    instance.reset();
    destroyForms();
    setPrompts(nullptr);
    return code;
}

} // namespace vkr
