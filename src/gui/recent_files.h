#pragma once
// The File menu's list of the configuration files last opened or saved in
// this run, newest first, at most five: "1 /home/site/north.X7R". Choosing
// one opens it as Open does. Nothing is kept between runs: the program keeps
// no settings of its own.

#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace qx::gui {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxFiles = 5;

    // The entries go into `menu` before `before`, after a separator of
    // their own (hidden while the list is empty); `open` runs with the
    // chosen path.
    RecentFiles(QMenu* menu, QAction* before, std::function<void(const QString& path)> open);

    // The file was opened or saved: it goes to the top.
    void Add(const QString& path);
    // The file could not be opened: it leaves the list.
    void Remove(const QString& path);
    const QStringList& Paths() const { return paths_; }

private:
    void Show();

    QStringList paths_;
    std::vector<QAction*> entries_;  // File_Recent1 .. File_Recent5
    QAction* separator_;
};

}  // namespace qx::gui
