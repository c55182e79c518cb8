#include "status/server_list_menu.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "settings/errors.h"
#include "settings/prompts.h"
#include "settings/store.h"
#include "status/server_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSaveFile>
#include <QToolButton>

namespace {

std::string listFilter() {
    return QString("%1|*.txt;*.lst|%2|*.*")
        .arg(QCoreApplication::translate("TForm4", "Server lists"),
             QCoreApplication::translate("TForm4", "All files"))
        .toStdString();
}

// A list of servers is a few hundred kB at most; a larger file is something else.
constexpr qint64 largestList = 16 * 1024 * 1024;

QString fileName(const std::string& file) {
    return QDir::toNativeSeparators(QString::fromStdString(file));
}

} // namespace

ServerListMenu::ServerListMenu(QToolButton* button) : QObject(button) {
    auto* menu = new QMenu(button);
    menu->setObjectName("ListMenu");
    vkr::onSignal(menu->addAction(QCoreApplication::translate("TForm4", "Import servers...")),
                  &QAction::triggered, this, [this] { importList(); });
    vkr::onSignal(menu->addAction(QCoreApplication::translate("TForm4", "Export servers...")),
                  &QAction::triggered, this, [this] { exportList(); });
    button->setMenu(menu);
}

void ServerListMenu::importList() {
    const std::optional<std::string> file = vkr::prompts().openFile(listFilter(), lastFile_);
    if (!file) {
        return;
    }
    lastFile_ = *file;
    QFile in(QString::fromStdString(*file));
    if (!in.open(QIODevice::ReadOnly)) {
        throw vkr::Exception(QCoreApplication::translate("TForm4", "Could not read \"%1\": %2")
                                 .arg(fileName(*file), in.errorString())
                                 .toStdString());
    }
    if (in.size() > largestList) {
        throw vkr::Exception(QCoreApplication::translate(
                                 "TForm4", "\"%1\" is larger than 16 MB: it is no list of servers")
                                 .arg(fileName(*file))
                                 .toStdString());
    }
    const QByteArray bytes = in.readAll();
    vkr::ServerTable& servers = vkr::store().servers;
    const int before = servers.count();
    const vkr::ServerListImport done = vkr::importServerList(
        servers, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
        vkr::idSource());
    if (done.added > 0) {
        vkr::storeChanged(vkr::StorePart::servers);
        for (int k = before; k < servers.count(); ++k) {
            added(vkr::EntryKey{servers[k].id, 0});
        }
        vkr::forms().form1->SaveRegistry();
    }
    vkr::prompts().message(done.report());
}

void ServerListMenu::exportList() {
    const std::optional<std::string> file = vkr::prompts().saveFile(listFilter(), lastFile_);
    if (!file) {
        return;
    }
    lastFile_ = *file;
    const vkr::ServerListExport list = vkr::writeServerList(vkr::store().servers);
    QSaveFile out(QString::fromStdString(*file));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(list.text.data(), static_cast<qint64>(list.text.size())) !=
            static_cast<qint64>(list.text.size()) ||
        !out.commit()) {
        throw vkr::Exception(QCoreApplication::translate("TForm4", "Could not write \"%1\": %2")
                                 .arg(fileName(*file), out.errorString())
                                 .toStdString());
    }
    vkr::prompts().message(
        (list.leftOut > 0
             ? QCoreApplication::translate(
                   "TForm4",
                   "%n servers exported; %1 left out, whose port is not a number from 1 to 65534.",
                   nullptr, list.written)
                   .arg(list.leftOut)
             : QCoreApplication::translate("TForm4", "%n servers exported.", nullptr, list.written))
            .toStdString());
}
