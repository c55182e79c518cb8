#include "status/TFormDetails.h"

#include "app/guard.h"
#include "status/server_model.h"
#include "ui_TFormDetails.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QShortcut>

namespace vkr {

// A reply's keys and values, one row each in the order sent. Long texts are elided by the view;
// the tooltip holds the whole, escaped, since server text is no markup.
class ReplyModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(std::vector<ReplyPair> pairs) {
        if (pairs == pairs_) {
            return; // the view keeps its place while the reply is the same
        }
        beginResetModel();
        pairs_ = std::move(pairs);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(pairs_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return section == 0
                       ? QCoreApplication::translate("TFormDetails", "Key", "a reply's key")
                       : QCoreApplication::translate("TFormDetails", "Value", "a reply's value");
        }
        return {};
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const ReplyPair& pair = pairs_[static_cast<size_t>(index.row())];
        const QString text = fromBytes(index.column() == 0 ? pair.first : pair.second);
        if (role == Qt::DisplayRole) {
            return text;
        }
        if (role == Qt::ToolTipRole && !text.isEmpty()) {
            return QString("<qt>%1</qt>").arg(text.toHtmlEscaped());
        }
        return {};
    }

private:
    std::vector<ReplyPair> pairs_;
};

} // namespace vkr

TFormDetails::TFormDetails(ServerModel* model, std::function<void(vkr::EntryKey)> refresh,
                           QWidget* parent)
    : vkr::Dialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormDetails>()), model_(model), refresh_(std::move(refresh)),
      reply_(new vkr::ReplyModel(this)), players_(new PlayerModel(this)) {
    ui_->setupUi(this);
    QFont bold = ui_->ServerName->font();
    bold.setBold(true);
    ui_->ServerName->setFont(bold);
    for (QTableView* view : {ui_->ReplyView, ui_->PlayerView}) {
        view->verticalHeader()->hide();
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
        view->horizontalHeader()->setStretchLastSection(true);
        view->setTabKeyNavigation(false);
    }
    ui_->ReplyView->setModel(reply_);
    ui_->PlayerView->setModel(players_);
    ui_->PlayerView->horizontalHeader()->hide();
    ui_->ReplyView->setColumnWidth(0, 120);
    ui_->PlayerView->setColumnWidth(0, 200);

    setEscapeHandler([this] { close(); });
    vkr::onSignal(ui_->CloseButton, &QPushButton::clicked, this, [this] { close(); });
    vkr::onSignal(ui_->RefreshButton, &QPushButton::clicked, this, [this] { refresh_(key_); });
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    vkr::onSignal(f5, &QShortcut::activated, this, [this] { refresh_(key_); });

    // The server is found by its key at every change, wherever sorts and edits have moved it.
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                vkr::guarded([&] { rowsChanged(first, last); });
            });
    vkr::onSignal(model_, &QAbstractItemModel::rowsInserted, this, [this] { showRow(); });
    vkr::onSignal(model_, &QAbstractItemModel::rowsRemoved, this, [this] { showRow(); });
    vkr::onSignal(model_, &QAbstractItemModel::rowsMoved, this, [this] { showRow(); });
    vkr::onSignal(model_, &QAbstractItemModel::modelReset, this, [this] { showRow(); });
}

TFormDetails::~TFormDetails() = default;

void TFormDetails::ShowServer(vkr::EntryKey key) {
    key_ = key;
    showRow();
    if (!isVisible()) {
        vkr::centreOn(this, parentWidget());
    }
    // Shown as a part of the browser rather than as a window of its own to the launcher: going
    // back to the browser from it is no activation, which would start a pass.
    show();
    raise();
    activateWindow();
}

QString TFormDetails::pingFigures(const vkr::PingHistory::Summary& s) {
    if (s.asked == 0) {
        return tr("Not asked yet");
    }
    const QString answered = tr("Answered %n of %1", nullptr, s.answered).arg(s.asked);
    if (!s.lowest) {
        return answered;
    }
    return tr("Lowest %1 ms\nMedian %2 ms\nHighest %3 ms\n%4")
        .arg(*s.lowest)
        .arg(*s.median)
        .arg(*s.highest)
        .arg(answered);
}

void TFormDetails::rowsChanged(const QModelIndex& first, const QModelIndex& last) {
    const int row = model_->rows().rowOf(key_);
    if (row >= first.row() && row <= last.row()) {
        showRow();
    }
}

void TFormDetails::showRow() {
    const vkr::BrowserRows& rows = model_->rows();
    const int r = rows.rowOf(key_);
    ui_->RefreshButton->setEnabled(r >= 0);
    if (r < 0) {
        ui_->ServerName->setText(tr("This server is no longer in the server list."));
        ui_->Address->clear();
        ui_->LastPlayed->hide();
        return; // the rest shows what the server last had
    }
    const vkr::BrowserRows::Row& row = rows[r];
    ui_->ServerName->setText(ServerModel::cellText(row, ServerModel::NameColumn));
    ui_->Address->setText(ServerModel::hostCell(row.entry));
    ui_->LastPlayed->setText(model_->lastPlayed(r));
    ui_->LastPlayed->setVisible(!ui_->LastPlayed->text().isEmpty());
    reply_->show(vkr::replyPairs(row.shown().reply));
    players_->show(row.shown().status, rows.friendSet());
    const QString figures = pingFigures(row.pings.summary());
    ui_->PingFigures->setText(figures);
    ui_->PingGraph->setPasses(row.pings.passes());
    ui_->PingGraph->setAccessibleDescription(figures);
}
