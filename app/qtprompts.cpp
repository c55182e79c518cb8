#include "app/qtprompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace vkr {

QWidget* promptParent() {
    return QApplication::activeWindow();
}

void QtPrompts::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, QString::fromStdString(text),
                    QMessageBox::Ok, promptParent());
    box.exec();
}

void QtPrompts::error(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, QString::fromStdString(text),
                    QMessageBox::Ok, promptParent());
    box.exec();
}

bool QtPrompts::confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, "Confirm", QString::fromStdString(text),
                    QMessageBox::NoButton, promptParent());
    QPushButton* yes = box.addButton("&Yes", QMessageBox::YesRole);
    box.addButton("&No", QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<std::string> QtPrompts::openFile(const std::string& filter,
                                               const std::string& currentFile) {
    QFileDialog dialog(promptParent());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(qtFilter(filter).split(";;"));
    const QFileInfo current(QString::fromStdString(currentFile));
    if (current.isDir()) {
        dialog.setDirectory(current.absoluteFilePath());
    } else if (!currentFile.empty()) {
        dialog.selectFile(current.filePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

QString QtPrompts::qtFilter(const std::string& windowsFilter) {
    QStringList parts = QString::fromStdString(windowsFilter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            if (p == "*.*") {
                p = "*";
            }
        }
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

} // namespace vkr
