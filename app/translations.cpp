#include "app/translations.h"

#include "settings/translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vkr {

namespace {

std::string translateWithQt(const char* context, const char* source, const char* disambiguation,
                            int n) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
}

// "de_DE.UTF-8" and "de-DE" both name German: the catalogue's name is looked for without the
// character set, then without the country ("vkr_launcher_de_DE", then "vkr_launcher_de").
QString catalogueName(QString code) {
    code = code.section('.', 0, 0).section('@', 0, 0);
    code.replace('-', '_');
    return code;
}

bool installCatalogue(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder, "_") && QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

} // namespace

QString installTranslations(const QString& language) {
    setTranslateFunction(translateWithQt);
    const QStringList wanted =
        language.isEmpty() ? QLocale::system().uiLanguages() : QStringList{language};
    for (const QString& code : wanted) {
        const QString name = catalogueName(code);
        const QLocale locale(name);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C) {
            break;
        }
        if (installCatalogue("vkr_launcher_" + name, ":/i18n")) {
            installCatalogue("qtbase_" + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            if (!language.isEmpty()) {
                // Numbers and dates as the language asked writes them.
                QLocale::setDefault(locale);
            }
            return QLocale::languageToCode(locale.language());
        }
    }
    return "en";
}

} // namespace vkr
