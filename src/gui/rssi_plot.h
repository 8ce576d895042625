#pragma once
// A small live plot of the received signal level over time: one point per
// level the test window shows, the newest at the right. It keeps only the
// last Capacity() points (a ring), so a test left running for hours uses
// no more memory than one running for a minute.

#include <QWidget>
#include <vector>

namespace qx::gui {

class RssiPlot : public QWidget {
    Q_OBJECT
public:
    explicit RssiPlot(QWidget* parent = nullptr, int capacity = 120);

    void AddLevel(int dBm);
    void Clear();

    // Oldest first.
    std::vector<int> Levels() const;
    int Capacity() const { return static_cast<int>(ring_.size()); }

    QSize sizeHint() const override { return {320, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> ring_;  // fixed size; `next_` is where the next level goes
    std::size_t next_ = 0;
    std::size_t count_ = 0;
};

}  // namespace qx::gui
