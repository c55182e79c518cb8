#include "dialogs/TFormOptions.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "settings/settings.h"
#include "status/TFormWatcher.h"
#include "status/desktop_notifier.h"
#include "status/sound_player.h"
#include "ui_TFormOptions.h"

#include <QFileInfo>
#include <QStyle>

TFormOptions::TFormOptions(QWidget* parent)
    : vkr::FixedDialog(QSize(443, 233), vkr::FixedDialog::Border::Dialog, parent),
      OpenDialog1(QString("%1|*.wav|%2|*.*").arg(tr("WAV files"), tr("All files")).toStdString()),
      ui_(std::make_unique<Ui::TFormOptions>()) {
    ui_->setupUi(this);
    // Labels take the width of their text, whatever the font.
    ui_->Label1->adjustSize();
    ui_->Label2->adjustSize();
    ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));

    using vkr::onSignal;
    onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    onSignal(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    onSignal(ui_->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(ui_->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    setEscapeHandler([this] { BitBtn1Click(); }); // as Cancel
    for (QLineEdit* field : {ui_->sound1, ui_->sound2}) {
        onSignal(field, &QLineEdit::textChanged, this, [this] { showSoundNote(); });
    }
    // A radio button's click runs when it becomes selected, by the user or by the load.
    const std::pair<QRadioButton*, void (TFormOptions::*)()> clicks[] = {
        {ui_->sounds1, &TFormOptions::sounds1Click},
        {ui_->sounds2, &TFormOptions::sounds2Click},
        {ui_->sounds3, &TFormOptions::sounds3Click},
    };
    for (const auto& [button, method] : clicks) {
        // The method goes in through an init-capture: clang 14 cannot capture a structured
        // binding.
        connect(button, &QRadioButton::toggled, this, [this, click = method](bool selected) {
            if (selected) {
                vkr::guarded([this, click] { (this->*click)(); });
            }
        });
    }
    vkr::onActivate(this, [this] { FormActivate(); });
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::setSelected(QRadioButton* button, bool selected) {
    if (button->isChecked() == selected) {
        return;
    }
    if (selected) {
        button->setChecked(true);
        return;
    }
    // An exclusive button cannot be deselected on its own; the group may end with none.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void TFormOptions::UpdateJuttu() {
    bool custom = !ui_->sounds2->isChecked() && !ui_->sounds1->isChecked();
    ui_->sound1->setEnabled(custom);
    ui_->sound2->setEnabled(custom);
    ui_->Button2->setEnabled(custom);
    ui_->Button1->setEnabled(custom);
}

void TFormOptions::FormActivate() {
    const vkr::LauncherSettings& s = vkr::store().settings;
    ui_->CheckBox1->setChecked(s.nosplash);
    ui_->CheckBox2->setChecked(s.window);
    ui_->CheckBox3->setChecked(s.close);
    ui_->CheckBox4->setChecked(s.nomap);
    ui_->CheckBox5->setChecked(s.flash);
    ui_->CheckBox6->setChecked(s.notify);
    setSelected(ui_->sounds1, s.watchers == 0);
    setSelected(ui_->sounds2, s.watchers == 1);
    setSelected(ui_->sounds3, s.watchers == 2);
    ui_->sound1->setText(vkr::qs(s.sound1));
    ui_->sound2->setText(vkr::qs(s.sound2));
    showSoundNote();
    vkr::DesktopNotifier* notifier = vkr::forms().formWatcher->notifier;
    notifier->onServiceFound = [this](bool found) { showNotificationService(found); };
    showNotificationService(notifier->serviceFound());
}

void TFormOptions::showSoundNote() {
    // Only a plain file is opened: a pipe or a device typed here could hold the dialog.
    const auto cut = [](const QLineEdit* field) {
        return QFileInfo(field->text()).isFile() &&
               vkr::soundSeconds(field->text().toStdString()) > vkr::maxSoundSeconds;
    };
    const bool first = cut(ui_->sound1);
    const bool second = cut(ui_->sound2);
    ui_->soundNote->setText(!first && !second ? QString()
                            : first && second ? tr("Plays only 30 s: both sounds")
                            : first           ? tr("Plays only 30 s: New game sound")
                                              : tr("Plays only 30 s: Players sound"));
}

void TFormOptions::showNotificationService(std::optional<bool> found) {
    ui_->notifyNote->setText(!found   ? tr("Looking for the service...")
                             : *found ? tr("Service found")
                                      : tr("No service found"));
}

void TFormOptions::sounds1Click() {
    UpdateJuttu();
}

void TFormOptions::sounds2Click() {
    UpdateJuttu();
}

void TFormOptions::sounds3Click() {
    UpdateJuttu();
}

void TFormOptions::BitBtn2Click() {
    vkr::LauncherSettings& s = vkr::store().settings;
    s.nosplash = ui_->CheckBox1->isChecked();
    s.window = ui_->CheckBox2->isChecked();
    s.close = ui_->CheckBox3->isChecked();
    s.nomap = ui_->CheckBox4->isChecked();
    // Stored as typed, whether the fields are enabled or not; a path the user left alone keeps
    // its bytes.
    s.sound1 = vkr::editedText(ui_->sound1->text(), s.sound1);
    s.sound2 = vkr::editedText(ui_->sound2->text(), s.sound2);
    s.flash = ui_->CheckBox5->isChecked();
    s.notify = ui_->CheckBox6->isChecked();
    if (ui_->sounds1->isChecked()) {
        s.watchers = 0;
    } else if (ui_->sounds2->isChecked()) {
        s.watchers = 1;
    } else if (ui_->sounds3->isChecked()) {
        s.watchers = 2;
    }
    vkr::forms().form1->SaveRegistry();
    hide();
}

void TFormOptions::BitBtn1Click() {
    hide();
}

// A cancelled file dialog leaves the field as it was.
void TFormOptions::Button1Click() {
    if (OpenDialog1.execute()) {
        ui_->sound2->setText(vkr::qs(OpenDialog1.fileName()));
    }
}

void TFormOptions::Button2Click() {
    if (OpenDialog1.execute()) {
        ui_->sound1->setText(vkr::qs(OpenDialog1.fileName()));
    }
}
