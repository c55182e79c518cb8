#include "status/ping_plot.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int barWidth = 6;
constexpr int barGap = 2;
constexpr int plotHeight = 40;

} // namespace

PingPlot::PingPlot(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PingPlot::setPasses(const std::deque<vkr::PingHistory::Pass>& passes) {
    passes_ = passes;
    update();
}

QSize PingPlot::sizeHint() const {
    return {static_cast<int>(vkr::PingHistory::capacity) * (barWidth + barGap) + barGap,
            plotHeight + 2};
}

void PingPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect area = rect().adjusted(0, 0, -1, -1);
    p.fillRect(area, pal.color(QPalette::Base));
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(area);
    uint32_t highest = 1;
    for (const vkr::PingHistory::Pass& pass : passes_) {
        highest = std::max(highest, pass.ping.value_or(0));
    }
    const int bottom = area.bottom() - 1;
    const int room = area.height() - 3;
    int x = area.left() + barGap;
    for (const vkr::PingHistory::Pass& pass : passes_) {
        const QRect bar(x, bottom, barWidth, 1);
        if (pass.ping) {
            const int h = std::max(2, static_cast<int>(int64_t{room} * *pass.ping / highest));
            p.fillRect(bar.adjusted(0, 1 - h, 0, 0), pal.color(QPalette::Highlight));
        } else if (pass.answered) {
            p.setPen(pal.color(QPalette::Highlight));
            p.drawRect(bar.adjusted(0, 1 - room / 2, -1, -1));
        } else if (!pass.open) {
            p.fillRect(bar.adjusted(0, -4, 0, 0), QColor(0xd0, 0x30, 0x30));
        }
        x += barWidth + barGap;
    }
}
