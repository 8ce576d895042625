#pragma once
// The About box: the edition and model this copy serves and the program's
// version, read back from the version block the build wrote into the
// executable file.

#include <QDialog>

#include "app/model_variant.h"
#include "app/version_block.h"

class QFrame;
class QLabel;

namespace qx::gui {

// "Version " + major.minor; "Version unknown" when the executable carries no
// version block (or the block has no file version).
QString VersionLabelText(const VersionText& version);

class TForm_HelpAbout : public QDialog {
    Q_OBJECT
public:
    explicit TForm_HelpAbout(QWidget* parent = nullptr);

    void FillAboutBox(ModelFamily family, const VersionText& version);

private:
    QLabel* logo_;
    QFrame* panelAlign_;
    QLabel* softwareName_;
    QLabel* version_;
};

}  // namespace qx::gui
