#pragma once

#include <QString>
#include <QStringList>

namespace vkr {

// The language the launcher shows its windows in for a user who reads the given languages, in
// order of preference (codes such as "de", "fi-FI" or "fi_FI.UTF-8"): the first one it has a
// catalogue for, or English (the texts' own language, "en") when English comes first or none
// is spoken.
QString catalogueLanguage(const QStringList& wanted);

// Shows the launcher in a language: loads its own catalogue and Qt's (the standard buttons of
// message boxes and file dialogs) and sends the core's texts through them, in place of those
// loaded before. language is a code as above; empty means the user's languages, in the order of
// LANGUAGE, then LC_ALL, LC_MESSAGES and LANG. Returns the language chosen. Called once the
// application object exists, before the windows are made (they take their texts when made).
QString installTranslations(const QString& language);

} // namespace vkr
