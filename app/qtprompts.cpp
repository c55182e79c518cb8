#include "app/qtprompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace vkr {

QWidget* promptParent() {
    return QApplication::activeWindow();
}

namespace {

// A box is as wide as its text, and a short text makes it narrower than its title as the window
// manager draws it (a larger, bold font beside the title bar's buttons), which then cuts the
// title ("VKR... cher"). A spacer across the box's layout keeps it wide enough for the title in
// a bold 14 pixel sans serif, the usual title-bar font, and for the buttons.
void keepTitleWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) {
        return;
    }
    QFont titleFont("Sans Serif");
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    constexpr int titleBarButtons = 140; // window icon, minimise, maximise, close, margins
    const int width =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

void showBox(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, kApplicationTitle, QString::fromStdString(text), QMessageBox::Ok,
                    promptParent());
    keepTitleWhole(box);
    box.exec();
}

} // namespace

void QtPrompts::message(const std::string& text) {
    showBox(QMessageBox::NoIcon, text);
}

void QtPrompts::error(const std::string& text) {
    showBox(QMessageBox::Critical, text);
}

bool QtPrompts::confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("Prompts", "Confirm"),
                    QString::fromStdString(text), QMessageBox::NoButton, promptParent());
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("Prompts", "&Yes"), QMessageBox::YesRole);
    box.addButton(QCoreApplication::translate("Prompts", "&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    keepTitleWhole(box);
    box.exec();
    return box.clickedButton() == yes;
}

namespace {

std::optional<std::string> runFileDialog(bool save, const std::string& filter,
                                         const std::string& currentFile) {
    QFileDialog dialog(promptParent());
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(QtPrompts::qtFilter(filter).split(";;"));
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

} // namespace

std::optional<std::string> QtPrompts::openFile(const std::string& filter,
                                               const std::string& currentFile) {
    return runFileDialog(false, filter, currentFile);
}

std::optional<std::string> QtPrompts::saveFile(const std::string& filter,
                                               const std::string& currentFile) {
    return runFileDialog(true, filter, currentFile);
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
