#include "rssi_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace qx::gui {
namespace {

// The vertical scale follows the levels shown, but never spans less than
// this, so that a steady signal does not look like a storm.
constexpr int kMinimumSpanDb = 20;
constexpr int kLeftMargin = 34;
constexpr int kMargin = 4;

}  // namespace

RssiPlot::RssiPlot(QWidget* parent, int capacity)
    : QWidget(parent), ring_(static_cast<std::size_t>(std::max(capacity, 2))) {
    setObjectName(QStringLiteral("RssiPlot"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(QStringLiteral("Received signal level (dBm), newest at the right"));
}

void RssiPlot::AddLevel(int dBm) {
    ring_[next_] = dBm;
    next_ = (next_ + 1) % ring_.size();
    count_ = std::min(count_ + 1, ring_.size());
    update();
}

void RssiPlot::Clear() {
    next_ = 0;
    count_ = 0;
    update();
}

std::vector<int> RssiPlot::Levels() const {
    std::vector<int> levels;
    levels.reserve(count_);
    const std::size_t first = (next_ + ring_.size() - count_) % ring_.size();
    for (std::size_t i = 0; i < count_; ++i) levels.push_back(ring_[(first + i) % ring_.size()]);
    return levels;
}

void RssiPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Base));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect area = rect().adjusted(kLeftMargin, kMargin, -kMargin, -kMargin);
    const std::vector<int> levels = Levels();
    painter.setPen(pal.color(QPalette::Text));
    if (levels.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("no level yet"));
        return;
    }

    const auto [low, high] = std::minmax_element(levels.begin(), levels.end());
    int bottom = *low;
    int top = *high;
    if (top - bottom < kMinimumSpanDb) {
        const int middle = (top + bottom) / 2;
        bottom = middle - kMinimumSpanDb / 2;
        top = bottom + kMinimumSpanDb;
    }
    const double span = top - bottom;
    const auto yOf = [&](int level) { return area.bottom() - (level - bottom) * area.height() / span; };
    // Spread the ring's full width, so the plot scrolls once it is full.
    const double dx = static_cast<double>(area.width()) / static_cast<double>(ring_.size() - 1);

    painter.drawText(QRect(0, area.top() - 2, kLeftMargin - 3, 14), Qt::AlignRight | Qt::AlignTop,
                     QString::number(top));
    painter.drawText(QRect(0, area.bottom() - 12, kLeftMargin - 3, 14), Qt::AlignRight | Qt::AlignBottom,
                     QString::number(bottom));

    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const double x0 = area.right() - dx * static_cast<double>(levels.size() - 1);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const QPointF p(x0 + dx * static_cast<double>(i), yOf(levels[i]));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    painter.setPen(QPen(pal.color(QPalette::Highlight), 1.5));
    painter.drawPath(path);
    painter.setBrush(pal.color(QPalette::Highlight));
    painter.drawEllipse(path.currentPosition(), 2.0, 2.0);
}

}  // namespace qx::gui
