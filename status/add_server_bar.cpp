#include "status/add_server_bar.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "settings/store.h"
#include "status/protocol.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AddServerBar::AddServerBar(QLineEdit* box, QPushButton* button, QLabel* message, QObject* parent)
    : QObject(parent), box_(box), message_(message) {
    vkr::onSignal(button, &QPushButton::clicked, this, [this] { add(); });
    // What was said about the last address goes once the user edits it.
    connect(box, &QLineEdit::textEdited, this, [this] { say({}); });
    box->installEventFilter(this);
}

bool AddServerBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            vkr::guarded([this] { add(); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void AddServerBar::say(const QString& text) {
    message_->setText(text);
    box_->setAccessibleDescription(text);
}

void AddServerBar::add() {
    vkr::ServerTable& servers = vkr::store().servers;
    const vkr::TypedServer result =
        vkr::addTypedServer(servers, box_->text().toStdString(), vkr::idSource());
    if (!result.error.empty()) {
        say(vkr::qs(result.error));
        return;
    }
    const vkr::ServerEntry& e = servers[result.row];
    const QString address = vkr::qs(e.ip + ":" + e.port);
    const vkr::EntryKey key{e.id, 0};
    if (result.added) {
        provisional_.add(e.id, e.name);
        box_->clear();
        vkr::storeChanged(vkr::StorePart::servers); // the grid shows the new row
    }
    const bool shown = select(key);
    const char* const said =
        result.added ? (shown ? QT_TRANSLATE_NOOP("TForm4", "%1 added.")
                              : QT_TRANSLATE_NOOP("TForm4", "%1 added. The filter hides it."))
                     : (shown ? QT_TRANSLATE_NOOP("TForm4", "%1 is in the list already.")
                              : QT_TRANSLATE_NOOP(
                                    "TForm4", "%1 is in the list already. The filter hides it."));
    say(QCoreApplication::translate("TForm4", said).arg(address));
    if (result.added) {
        ask(key);
        vkr::forms().form1->SaveRegistry();
    }
}

bool AddServerBar::nameAtFirstReply(const std::vector<vkr::EntryKey>& answered,
                                    const std::string& reply) {
    vkr::ServerTable& servers = vkr::store().servers;
    std::optional<std::optional<std::string>> hostname; // read from the reply when needed
    bool renamed = false;
    for (const vkr::EntryKey& key : answered) {
        const int k = provisional_.contains(key.id) ? vkr::rowOfEntry(servers, key) : -1;
        if (k < 0) {
            continue;
        }
        if (!hostname) {
            hostname = vkr::replyHostname(reply);
        }
        if (std::optional<std::string> name = provisional_.atReply(servers[k], *hostname)) {
            servers[k].name = std::move(*name);
            renamed = true;
        }
    }
    return renamed;
}
