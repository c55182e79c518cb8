#pragma once

class QComboBox;

// The browser's "Max ping" box: "any" and the limits offered, each item's data its limit in ms.
void fillPingLimits(QComboBox* box);
// Shows a stored limit (ms; 0 or less: any); one that is not offered is added to the items.
void showPingLimit(QComboBox* box, int limit);
// The limit chosen, in ms; 0 for any.
int pingLimit(const QComboBox* box);
