#pragma once

#include "status/server_details.h"

#include <QWidget>

// A server's answers over its last passes as a small bar plot, oldest on the left: a bar as
// high as the round trip (the highest filling the plot), a short red bar for no answer, an
// outlined bar for an answer whose round trip is not known, nothing for a pass still open.
class PingPlot : public QWidget {
public:
    explicit PingPlot(QWidget* parent = nullptr);

    void setPasses(const std::deque<vkr::PingHistory::Pass>& passes);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::deque<vkr::PingHistory::Pass> passes_;
};
