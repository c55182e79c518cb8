#include "app/program_start.h"

#include "app/cmdline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace vkr {

namespace {

bool isWindowsExecutable(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}

} // namespace

void setCurrentDirectory(const std::string& folder) {
    // As with the platform's own call, a failure is not examined.
    QDir::setCurrent(QString::fromStdString(folder));
}

bool startCommandLine(const std::string& line, size_t programLimit) {
    const QDir folder = QDir::current();
    std::optional<ProgramStart> start = resolveCommandLine(
        line,
        [&folder](const std::string& path) {
            return QFileInfo(folder, QString::fromStdString(path)).isFile();
        },
        programLimit);
    if (!start) {
        return false;
    }
    // An absolute path, so that the process start never searches PATH for a bare name.
    QString program = QFileInfo(folder, QString::fromStdString(start->program)).absoluteFilePath();
    QStringList arguments;
    for (size_t i = 1; i < start->argv.size(); ++i) {
        arguments << QString::fromStdString(start->argv[i]);
    }
    if (isWindowsExecutable(program)) {
        QString wine = QStandardPaths::findExecutable("wine");
        if (wine.isEmpty()) {
            return false;
        }
        arguments.prepend(program);
        program = wine;
    }
    return QProcess::startDetached(program, arguments, folder.absolutePath());
}

} // namespace vkr
