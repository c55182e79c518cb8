#include "app/program_start.h"

#include "app/cmdline.h"

#include <QCoreApplication>
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

std::string StartFailure::text() const {
    //: %1 the program, %2 why it could not be started.
    return QCoreApplication::translate("Launch", "Could not start \"%1\": %2.")
        .arg(QString::fromStdString(file), QString::fromStdString(reason))
        .toStdString();
}

std::optional<StartFailure> startCommandLine(const std::string& line, size_t programLimit) {
    const QDir folder = QDir::current();
    std::optional<ProgramStart> start = resolveCommandLine(
        line,
        [&folder](const std::string& path) {
            return QFileInfo(folder, QString::fromStdString(path)).isFile();
        },
        programLimit);
    if (!start) {
        return StartFailure{
            line.substr(0, programLimit),
            QCoreApplication::translate("Launch", "the file does not exist").toStdString()};
    }
    // An absolute path, so that the process start never searches PATH for a bare name.
    QString program = QFileInfo(folder, QString::fromStdString(start->program)).absoluteFilePath();
    const std::string file = program.toStdString();
    QStringList arguments;
    for (size_t i = 1; i < start->argv.size(); ++i) {
        arguments << QString::fromStdString(start->argv[i]);
    }
    if (isWindowsExecutable(program)) {
        QString wine = QStandardPaths::findExecutable("wine");
        if (wine.isEmpty()) {
            return StartFailure{file, QCoreApplication::translate(
                                          "Launch",
                                          "it is a Windows program and \"wine\" was not found on "
                                          "PATH")
                                          .toStdString()};
        }
        arguments.prepend(program);
        program = wine;
    } else if (!QFileInfo(program).isExecutable()) {
        return StartFailure{
            file,
            QCoreApplication::translate("Launch", "the file is not executable").toStdString()};
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder.absolutePath());
    if (!process.startDetached()) {
        return StartFailure{file, process.errorString().toStdString()};
    }
    return std::nullopt;
}

} // namespace vkr
