#include "field_binder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "number_edit.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

void SyncItems(QComboBox* box, const std::vector<std::string>& items) {
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const QString text = ToQ(items[static_cast<std::size_t>(i)]);
        if (i < box->count()) {
            if (box->itemText(i) != text) box->setItemText(i, text);
        } else {
            box->addItem(text);
        }
    }
}

// Background colour of an editable field: the window colour or, where a
// rule asks for it, the colour of a button face.
void ApplyColor(QWidget* widget, FieldColor color) {
    QPalette palette = QApplication::palette(widget);
    if (color == FieldColor::ButtonFace) palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

}  // namespace

FieldBinder::FieldBinder(WorkingConfig& config) : config_(config) {
    subscription_ = config_.Subscribe([this](std::optional<FieldId> id) { OnModelChanged(id); });
}

FieldBinder::~FieldBinder() { config_.Unsubscribe(subscription_); }

void FieldBinder::OnModelChanged(std::optional<FieldId> id) {
    if (id) {
        Sync(*id);
    } else {
        emit viewChanged();
    }
}

void FieldBinder::Bind(FieldId id, QWidget* widget, std::function<void()> syncValue) {
    widget->setObjectName(ToQ(Spec(id).name));
    Binding& b = bindings_[Index(id)];
    b.widget = widget;
    b.syncValue = std::move(syncValue);
    Sync(id);
}

void FieldBinder::AddCompanion(FieldId id, QWidget* companion) {
    bindings_[Index(id)].companions.push_back(companion);
    Sync(id);
}

QWidget* FieldBinder::WidgetOf(FieldId id) const { return bindings_[Index(id)].widget; }

void FieldBinder::SyncAll() {
    for (const FieldSpec& entry : AllFields()) Sync(entry.id);
    emit viewChanged();
}

void FieldBinder::Sync(FieldId id) {
    Binding& b = bindings_[Index(id)];
    if (!b.widget) return;
    const FieldPresentation& p = config_.Field(id).presentation;
    b.widget->setHidden(!p.visible);
    for (QWidget* c : b.companions) c->setHidden(!p.visible);
    b.widget->setEnabled(p.enabled);
    b.syncValue();
}

NumberEdit* FieldBinder::Number(FieldId id, QWidget* parent) {
    auto* edit = new NumberEdit(parent);
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        config_.TypeText(id, FromQ(text));
        emit userActed();
    });
    connect(edit, &NumberEdit::left, this, [this, id] {
        config_.Leave(id);
        emit userActed();
    });
    Bind(id, edit, [this, id, edit] {
        const QString text = ToQ(config_.Field(id).text);
        if (edit->text() != text) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
        ApplyColor(edit, config_.Field(id).presentation.color);
    });
    return edit;
}

QCheckBox* FieldBinder::Check(FieldId id, QWidget* parent) {
    auto* box = new QCheckBox(ToQ(Spec(id).caption), parent);
    connect(box, &QCheckBox::clicked, this, [this, id] {
        config_.Click(id);
        Sync(id);  // the model decides, whatever the widget toggled to
        emit userActed();
    });
    Bind(id, box, [this, id, box] {
        const QSignalBlocker block(box);
        box->setChecked(config_.Checked(id));
    });
    return box;
}

QRadioButton* FieldBinder::ModeRadio(FieldId id, QWidget* parent) {
    auto* button = new QRadioButton(ToQ(Spec(id).caption), parent);
    // The five mode buttons sit in two boxes but form one group, which the
    // model keeps exclusive.
    button->setAutoExclusive(false);
    connect(button, &QRadioButton::clicked, this, [this, id] {
        config_.Click(id);
        Sync(id);
        emit userActed();
    });
    Bind(id, button, [this, id, button] {
        const QSignalBlocker block(button);
        button->setChecked(config_.Checked(id));
    });
    return button;
}

QGroupBox* FieldBinder::RadioGroup(FieldId id, QWidget* parent) {
    auto* box = new QGroupBox(ToQ(Spec(id).caption), parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(0);
    auto* group = new QButtonGroup(box);
    const auto& items = config_.Field(id).items;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        auto* button = new QRadioButton(box);
        button->setObjectName(ToQ(Spec(id).name) + QStringLiteral("_%1").arg(i));
        layout->addWidget(button);
        group->addButton(button, i);
    }
    connect(group, &QButtonGroup::idClicked, this, [this, id](int index) {
        config_.PickItem(id, index);
        Sync(id);
        emit userActed();
    });
    Bind(id, box, [this, id, group] {
        const auto& texts = config_.Field(id).items;
        const int choice = config_.Field(id).choice;
        for (QAbstractButton* button : group->buttons()) {
            const int i = group->id(button);
            if (i < static_cast<int>(texts.size())) button->setText(ToQ(texts[static_cast<std::size_t>(i)]));
            const QSignalBlocker block(button);
            // Leaving the group exclusive would refuse "nothing selected".
            group->setExclusive(false);
            button->setChecked(i == choice);
            group->setExclusive(true);
        }
    });
    return box;
}

QComboBox* FieldBinder::DropDown(FieldId id, QWidget* parent) {
    auto* box = new QComboBox(parent);
    // activated: the user's pick only, never a programmatic change.
    connect(box, &QComboBox::activated, this, [this, id](int index) {
        config_.PickItem(id, index);
        Sync(id);
        emit userActed();
    });
    Bind(id, box, [this, id, box] {
        const QSignalBlocker block(box);
        SyncItems(box, config_.Field(id).items);
        box->setCurrentIndex(config_.Field(id).choice);
    });
    return box;
}

}  // namespace qx::gui
