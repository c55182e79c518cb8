#pragma once

#include <QString>

namespace vkr {

// Shows the launcher in a language: loads its own catalogue and Qt's (the standard buttons of
// message boxes and file dialogs) and sends the core's texts through them. language is a code
// such as "de" or "fi_FI"; empty means the user's languages, in the order of LANGUAGE, then
// LC_ALL, LC_MESSAGES and LANG. The first language the launcher speaks is taken; English, the
// texts' own language, when it comes first or none is spoken. Returns the code of the language
// loaded ("en" for English). Called once the application object exists, before any window.
QString installTranslations(const QString& language);

} // namespace vkr
