#include "help_about_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QStyle>

#include "dialog_title.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

// The maker's logo: an egg, drawn rather than stored.
QPixmap DrawLogo(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF egg(3, 3, size.width() - 6, size.height() - 6);
    QRadialGradient shade(egg.center() - QPointF(egg.width() / 5, egg.height() / 4), egg.height() * 0.7);
    shade.setColorAt(0, QColor(255, 250, 235));
    shade.setColorAt(1, QColor(196, 160, 96));
    p.setBrush(shade);
    p.setPen(QPen(QColor(120, 90, 40), 1.5));
    QPainterPath path;
    // Narrower at the top than at the bottom.
    const double cx = egg.center().x();
    path.moveTo(cx, egg.top());
    path.cubicTo(egg.right(), egg.top(), egg.right(), egg.bottom(), cx, egg.bottom());
    path.cubicTo(egg.left(), egg.bottom(), egg.left(), egg.top(), cx, egg.top());
    p.drawPath(path);
    return pixmap;
}

}  // namespace

QString VersionLabelText(const VersionText& version) {
    return version.majorMinor.empty() ? QStringLiteral("Version unknown")
                                      : QStringLiteral("Version ") + ToQ(version.majorMinor);
}

TForm_HelpAbout::TForm_HelpAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("TForm_HelpAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(318, 159);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    frame->setGeometry(8, 0, 304, 121);

    logo_ = new QLabel(frame);
    logo_->setObjectName(QStringLiteral("Image_KorvaEgg"));
    logo_->setGeometry(16, 16, 45, 55);
    logo_->setPixmap(DrawLogo(logo_->size()));
    logo_->hide();

    panelAlign_ = new QFrame(frame);
    panelAlign_->setObjectName(QStringLiteral("Panel_Align"));
    panelAlign_->setGeometry(100, 16, 201, 69);
    panelAlign_->setFrameStyle(QFrame::Panel | QFrame::Raised);

    softwareName_ = new QLabel(panelAlign_);
    softwareName_->setObjectName(QStringLiteral("Label_SoftwareName"));
    softwareName_->setGeometry(16, 4, 180, 20);
    QFont bold = softwareName_->font();
    bold.setBold(true);
    softwareName_->setFont(bold);

    version_ = new QLabel(QStringLiteral("Version"), panelAlign_);
    version_->setObjectName(QStringLiteral("Version"));
    version_->setGeometry(16, 28, 180, 20);

    auto* notice = new QLabel(QStringLiteral("Serial radio modem configuration"), frame);
    notice->setObjectName(QStringLiteral("Label_Notice"));
    notice->setGeometry(76, 96, 224, 16);

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn2"));
    ok->setGeometry(129, 129, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    FitToTitle(*this);
}

void TForm_HelpAbout::FillAboutBox(ModelFamily family, const VersionText& version) {
    const int rightEdge = panelAlign_->x() + panelAlign_->width();
    logo_->show();
    softwareName_->setText(ToQ(ModelOf(family).aboutName));
    const int left = logo_->x() + logo_->width();
    panelAlign_->setFrameStyle(QFrame::NoFrame);
    panelAlign_->setGeometry(left, panelAlign_->y(), rightEdge - left, panelAlign_->height());
    version_->setText(VersionLabelText(version));
}

}  // namespace qx::gui
