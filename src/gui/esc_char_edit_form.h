#pragma once
// "Select Escape Character": tells the program which escape character the
// connected module uses. Created once and reused; every showing starts from
// the current character. It changes nothing but the escape character.

#include <QDialog>

#include "app/escape_character.h"

namespace qx::gui {

class NumberEdit;

class TEscCharEdit_Form : public QDialog {
    Q_OBJECT
public:
    explicit TEscCharEdit_Form(QWidget* parent = nullptr);

    // Shows the dialog modally for `escape`; OK stores the field's value
    // limited to 1..255, Cancel leaves it as it was.
    int Edit(EscapeCharacter& escape);

    NumberEdit* Field() const { return field_; }

private:
    // The field's value: its integer, or the minimum 1 when it holds none.
    long FieldValue() const;
    void ClampField();

    NumberEdit* field_;
};

}  // namespace qx::gui
