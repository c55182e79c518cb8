#include "app/startup.h"

#include "app/TForm1.h"
#include "app/qtprompts.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormOptions.h"
#include "settings/registry_file.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"

#include <QApplication>
#include <QFont>

namespace vkr {

void useLauncherFont() {
    // The windows are laid out for an 8 point sans serif of 11 pixels; where that font is
    // missing, a sans serif of the same width stands in for it.
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(11);
    QApplication::setFont(font);
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
    f.formOptions = new TFormOptions();
}

void destroyForms() {
    Forms& f = forms();
    delete f.formOptions;
    delete f.formWatcher;
    delete f.aboutDialog;
    delete f.form4;
    delete f.form3;
    delete f.form2;
    delete f.form1;
    f = Forms{};
}

int runLauncher(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompts qtPrompts;
    setPrompts(&qtPrompts);
    FileRegistry registry(FileRegistry::defaultPath());

    createForms(registry);
    centreOn(forms().form1, nullptr);
    forms().form1->show();
    int code = QApplication::exec();
    destroyForms();
    setPrompts(nullptr);
    return code;
}

} // namespace vkr
