#pragma once

#include "app/window.h"
#include "status/browser_rows.h"

#include <functional>
#include <memory>

namespace Ui {
class TFormDetails;
}
class PlayerModel;
class ServerModel;

namespace vkr {
class ReplyModel;
}

// The "Server details" window: one server of the browser, followed by its entry through passes,
// sorts and edits: every key and value of its last reply in the order sent, its players with
// their scores, and its answers over its last passes as figures and a small plot. F5 (or
// Refresh) asks the server again by itself; Esc closes the window.
class TFormDetails : public vkr::Dialog {
    Q_OBJECT
public:
    // The server's rows are model's; refresh asks a server by itself.
    TFormDetails(ServerModel* model, std::function<void(vkr::EntryKey)> refresh,
                 QWidget* parent = nullptr);
    ~TFormDetails() override;

    Ui::TFormDetails* ui() const { return ui_.get(); }

    // Shows the server of key, over the browser the first time.
    void ShowServer(vkr::EntryKey key);
    // The figures of the pings, as the window shows them.
    static QString pingFigures(const vkr::PingHistory::Summary& s);

private:
    // Shows the server as its row stands now.
    void showRow();
    void rowsChanged(const QModelIndex& first, const QModelIndex& last);

    std::unique_ptr<Ui::TFormDetails> ui_;
    ServerModel* model_;
    std::function<void(vkr::EntryKey)> refresh_;
    vkr::ReplyModel* reply_;
    PlayerModel* players_;
    vkr::EntryKey key_;
};
