#include "recent_files.h"

#include <QAction>
#include <QMenu>

namespace qx::gui {

RecentFiles::RecentFiles(QMenu* menu, QAction* before, std::function<void(const QString& path)> open)
    : QObject(menu) {
    separator_ = menu->insertSeparator(before);
    separator_->setObjectName(QStringLiteral("N2"));
    for (int i = 0; i < kMaxFiles; ++i) {
        auto* entry = new QAction(menu);
        entry->setObjectName(QStringLiteral("File_Recent%1").arg(i + 1));
        menu->insertAction(before, entry);
        connect(entry, &QAction::triggered, this, [this, i, open] {
            // A copy: opening may change the list.
            if (i < paths_.size()) open(QString(paths_[i]));
        });
        entries_.push_back(entry);
    }
    Show();
}

void RecentFiles::Add(const QString& path) {
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kMaxFiles) paths_.removeLast();
    Show();
}

void RecentFiles::Remove(const QString& path) {
    paths_.removeAll(path);
    Show();
}

void RecentFiles::Show() {
    for (int i = 0; i < kMaxFiles; ++i) {
        QAction* entry = entries_[static_cast<std::size_t>(i)];
        const bool used = i < paths_.size();
        entry->setVisible(used);
        // "&&" keeps an "&" in a path from becoming an access key.
        if (used) entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(paths_[i]).replace('&', "&&")));
    }
    separator_->setVisible(!paths_.isEmpty());
}

}  // namespace qx::gui
