#include "dialogs/ordinary_combo.h"

#include "app/guard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace vkr {

void makeOrdinaryCombo(QComboBox* box, std::function<void()> onChange) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // No completion: a typed text stays exactly as typed.
    box->setCompleter(nullptr);

    QLineEdit* edit = box->lineEdit();
    // When the edit field loses the focus or takes Enter, the combo box would select the item
    // whose text equals the typed one: a typed name must stay a name of its own.
    QObject::disconnect(edit, &QLineEdit::editingFinished, box, nullptr);
    QObject::disconnect(edit, &QLineEdit::returnPressed, box, nullptr);
    QObject::connect(edit, &QLineEdit::textEdited, box, [box, edit, onChange](const QString& text) {
        if (box->currentIndex() != -1) {
            // Deselecting empties the edit field; the typed text and the cursor come back.
            int cursor = edit->cursorPosition();
            {
                const QSignalBlocker block(box);
                box->setCurrentIndex(-1);
            }
            edit->setText(text);
            edit->setCursorPosition(cursor);
        }
        if (onChange) {
            guarded(onChange);
        }
    });
    if (onChange) {
        onSignal(box, &QComboBox::activated, box, onChange);
    }
}

} // namespace vkr
