#include "app/translations.h"

#include "settings/translate.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace vkr {

namespace {

const QString ownCatalogues = ":/i18n";

std::vector<std::unique_ptr<QTranslator>>& installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

std::string translateWithQt(const char* context, const char* source, const char* disambiguation,
                            int n) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
}

void install(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get())) {
        installed().push_back(std::move(translator));
    }
}

} // namespace

QString catalogueLanguage(const QStringList& wanted) {
    for (const QString& code : wanted) {
        // "de_DE.UTF-8", "de-DE" and "de" all name German.
        const QLocale locale(code.section('.', 0, 0).section('@', 0, 0));
        if (locale.language() == QLocale::English) {
            break;
        }
        const QString language = QLocale::languageToCode(locale.language());
        if (QFile::exists(QString("%1/vkr_launcher_%2.qm").arg(ownCatalogues, language))) {
            return language;
        }
    }
    return "en";
}

QString installTranslations(const QString& language) {
    for (const auto& translator : installed()) {
        QCoreApplication::removeTranslator(translator.get());
    }
    installed().clear();
    setTranslateFunction(translateWithQt);
    const QString chosen = catalogueLanguage(language.isEmpty() ? QLocale::system().uiLanguages()
                                                                : QStringList{language});
    if (chosen != "en") {
        install("vkr_launcher_" + chosen, ownCatalogues);
        install("qtbase_" + chosen, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    // Numbers and dates as the language asked for writes them; the user's own otherwise.
    QLocale::setDefault(language.isEmpty() ? QLocale::system() : QLocale(chosen));
    return chosen;
}

} // namespace vkr
