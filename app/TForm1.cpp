#include "app/TForm1.h"

#include "app/guard.h"
#include "app/jpeg_image.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormFriends.h"
#include "dialogs/TFormOptions.h"
#include "net/TNMUDP.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "settings/wine_prefix.h"
#include "status/TForm4.h"
#include "status/TFormLan.h"
#include "ui_TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QListWidget>
#include <QPixmap>

#include <cstdlib>

TForm1::TForm1(vkr::Registry& registry, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      Powersock1(new TPowersock(this)),
      OpenDialog1(QString("%1|VelkrandOstrel.exe;VelkrandBeta.exe|%2|*.*")
                      .arg(tr("VKRO Executable"), tr("All files"))
                      .toStdString()),
      Timer1(new QTimer(this)), ui_(std::make_unique<Ui::TForm1>()), registry_(registry) {
    ui_->setupUi(this);
    setFixedSize(467,
                 259 + ui_->MainMenu1->sizeHint().height() + ui_->StatusBar1->sizeHint().height());
    // The controls carry hints, but the main window never shows them.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setToolTip(QString());
    }
    loadLogo();
    ui_->BitBtn2->setIcon(QIcon(":/glyph_host.png"));
    ui_->BitBtn5->setIcon(QIcon(":/glyph_list.png"));
    ui_->BitBtn3->setIcon(QIcon(":/glyph_single.png"));
    // The address field and the mod list sit on the menu colour, like the window around them.
    for (QWidget* w : {static_cast<QWidget*>(ui_->MYIP), static_cast<QWidget*>(ui_->ModList)}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        w->setPalette(p);
    }
    // The buttons come back at the first tick after the start is over.
    Timer1->setInterval(100);

    using vkr::onSignal;
    onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    onSignal(ui_->BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    onSignal(ui_->BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    onSignal(ui_->SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    onSignal(ui_->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(ui_->ModList, &QListWidget::itemChanged, this, [this] { ModListClickCheck(); });
    onSignal(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    onSignal(ui_->Options2, &QAction::triggered, this, [this] { Options2Click(); });
    onSignal(ui_->Mods1, &QAction::triggered, this, [this] { Mods1Click(); });
    onSignal(ui_->Servers1, &QAction::triggered, this, [this] { Servers1Click(); });
    onSignal(ui_->Friends1, &QAction::triggered, this, [this] { Friends1Click(); });
    onSignal(ui_->VKRPreferences1, &QAction::triggered, this, [this] { VKRPreferences1Click(); });
    onSignal(ui_->quit1, &QAction::triggered, this, [this] { quit1Click(); });
    onSignal(ui_->About1, &QAction::triggered, this, [this] { About1Click(); });

    vkr::guarded([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::loadLogo() {
    QFile file(":/logo.jpg");
    QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QImage logo = vkr::decodeJpeg(bytes);
    // A logo that cannot be decoded leaves the frame empty; start-up goes on.
    if (!logo.isNull()) {
        ui_->Image1->setPixmap(QPixmap::fromImage(logo));
    }
}

// --- settings store -------------------------------------------------------------------------

void TForm1::ReadRegistry() {
    // The load tells the windows that show the server table and the friends, also when it
    // stopped part-way.
    vkr::readRegistry(registry_, vkr::store(), *this);
    showExecutableHint();
}

void TForm1::showExecutableHint() {
    const QString hint = tr("No game executable: choose it with \"change\" at the bottom right.");
    if (!vkr::fileExists(vkr::store().settings.executable)) {
        ui_->StatusBar1->showMessage(hint);
    } else if (ui_->StatusBar1->currentMessage() == hint) {
        ui_->StatusBar1->clearMessage();
    }
}

void TForm1::SaveRegistry() {
    vkr::saveRegistry(registry_, vkr::store());
}

std::string TForm1::localAddress() {
    return Powersock1->LocalAddress();
}

void TForm1::setLocalAddress(const std::string& address) {
    ui_->MYIP->setText(vkr::qs(address));
}

void TForm1::setPlayerName(const std::string& name) {
    ui_->PlayerName->setEditText(vkr::qs(name));
}

void TForm1::clearProfiles() {
    // Clearing the list must not clear the text typed or loaded into the box.
    QString text = ui_->PlayerName->currentText();
    ui_->PlayerName->clear();
    ui_->PlayerName->setEditText(text);
}

void TForm1::addProfile(const std::string& name) {
    QString text = ui_->PlayerName->currentText();
    ui_->PlayerName->addItem(vkr::qs(name));
    ui_->PlayerName->setEditText(text);
}

void TForm1::updateModList() {
    UpdateModList(ui_->ModList);
}

void TForm1::setExecutableCaption(const std::string& path) {
    ui_->exenimi->setText(vkr::qs(path));
}

vkr::OpenDialog& TForm1::openDialog() {
    // Until a file is chosen in it, the executable chooser opens where the game is likely.
    const char* home = std::getenv("HOME");
    OpenDialog1.setFolder(vkr::executableChooserFolder(vkr::store().settings.gameFolder,
                                                       vkr::winePrefixFolder(), home ? home : ""));
    return OpenDialog1;
}

void TForm1::UpdateModList(QListWidget* list) {
    const QSignalBlocker block(list);
    list->clear();
    const vkr::ModTable& mods = vkr::store().mods;
    for (int i = 0; i <= mods.lastRow; ++i) {
        auto* item = new QListWidgetItem(vkr::qs(mods[i].name), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(mods[i].checked ? Qt::Checked : Qt::Unchecked);
    }
}

// --- handlers -------------------------------------------------------------------------------

void TForm1::FormCreate() {
    ReadRegistry();
}

void TForm1::FormClose() {
    SaveRegistry();
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) {
        return;
    }
    closed_ = true;
    vkr::guarded([this] { FormClose(); });
    // The main window's close ends the program, whatever other windows are open, and whatever
    // host-name look-ups a send still waits for.
    TNMUDP::EndLookUpWaits();
    QApplication::quit();
}

void TForm1::ModListClickCheck() {
    vkr::ModTable& mods = vkr::store().mods;
    for (int i = 0; i < ui_->ModList->count() && i <= mods.lastRow; ++i) {
        mods[i].checked = ui_->ModList->item(i)->checkState() == Qt::Checked;
    }
}

void TForm1::SpeedButton2Click() {
    ui_->MYIP->selectAll();
    ui_->MYIP->copy();
    ui_->MYIP->setFocus();
}

void TForm1::Button1Click() {
    vkr::changeExecutable(registry_, *this);
    ReadRegistry();
}

void TForm1::BitBtn5Click() {
    if (vkr::store().servers.lastRow <= -1) {
        // Nothing to list: the servers of the local network are offered instead.
        if (vkr::prompts().confirm(
                tr("No server entries found. Search the local network?").toStdString())) {
            vkr::forms().formLan->Open(this);
        }
        return;
    }
    vkr::showFormCentred(vkr::forms().form4, this);
}

void TForm1::setLaunchButtonsEnabled(bool enabled) {
    ui_->BitBtn3->setEnabled(enabled);
    ui_->BitBtn5->setEnabled(enabled);
    ui_->BitBtn2->setEnabled(enabled);
}

void TForm1::Timer1Timer() {
    if (starting()) {
        return;
    }
    setLaunchButtonsEnabled(true);
    showStartStatus(false);
    Timer1->stop();
}

void TForm1::Options2Click() {
    vkr::showFormCentred(vkr::forms().formOptions, this);
}

void TForm1::Mods1Click() {
    vkr::showFormCentred(vkr::forms().form2, this);
}

void TForm1::Servers1Click() {
    vkr::showFormCentred(vkr::forms().form3, this);
}

void TForm1::Friends1Click() {
    vkr::showFormCentred(vkr::forms().formFriends, this);
}

void TForm1::About1Click() {
    vkr::showFormCentred(vkr::forms().aboutDialog, nullptr);
}

void TForm1::quit1Click() {
    close();
}
