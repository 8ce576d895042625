#include "esc_char_edit_form.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "config/integer_text.h"
#include "dialog_title.h"
#include "number_edit.h"
#include "qt_text.h"

namespace qx::gui {
namespace {
constexpr long kMin = 1;
constexpr long kMax = 255;
}  // namespace

TEscCharEdit_Form::TEscCharEdit_Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("TEscCharEdit_Form"));
    setWindowTitle(QStringLiteral("Select Escape Character"));
    // An outer size of 231 by 145 less a usual frame and title bar.
    setFixedSize(223, 118);

    auto* sequence = new QLabel(QStringLiteral("Esc Sequence"), this);
    sequence->setObjectName(QStringLiteral("Label49"));
    sequence->setGeometry(16, 16, 100, 16);
    auto* character = new QLabel(QStringLiteral("Character"), this);
    character->setObjectName(QStringLiteral("Label51"));
    character->setGeometry(16, 34, 100, 16);

    field_ = new NumberEdit(this);
    field_->setObjectName(QStringLiteral("EscChar_SpinEdit"));
    field_->setGeometry(120, 22, 81, 22);
    connect(field_, &NumberEdit::left, this, &TEscCharEdit_Form::ClampField);

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_BitBtn"));
    ok->setGeometry(24, 76, 81, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* cancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel_BitBtn"));
    cancel->setGeometry(118, 76, 81, 27);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitToTitle(*this);
}

long TEscCharEdit_Form::FieldValue() const { return ParseInteger(FromQ(field_->text())).value_or(kMin); }

void TEscCharEdit_Form::ClampField() {
    // A text that is not a number stays as typed; a number is limited.
    if (const auto v = ParseInteger(FromQ(field_->text())); v && (*v < kMin || *v > kMax))
        field_->setText(QString::number(*v < kMin ? kMin : kMax));
}

int TEscCharEdit_Form::Edit(EscapeCharacter& escape) {
    field_->setText(QString::number(escape.Code()));
    field_->selectAll();
    field_->setFocus();
    const int result = exec();
    if (result == QDialog::Accepted) escape.Set(FieldValue());
    return result;
}

}  // namespace qx::gui
