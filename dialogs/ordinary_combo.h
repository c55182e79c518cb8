#pragma once

#include <functional>

class QComboBox;

namespace vkr {

// Makes an editable combo box behave as an ordinary drop-down combo: picking an item from its
// list selects it; typing leaves no item selected (currentIndex -1), even when the text typed
// equals an item, and Enter neither selects nor inserts anything. onChange (when given) runs
// through the error guard once for every pick and once for every change of the typed text.
void makeOrdinaryCombo(QComboBox* box, std::function<void()> onChange = {});

} // namespace vkr
