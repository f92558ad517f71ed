#include "dialog/accessible_controls.h"

#include <QLabel>
#include <QWidget>

#include "dialog/dialog_text.h"

void Describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void MakeReadable(QLabel* label, const QString& description) {
    label->setTextInteractionFlags(label->textInteractionFlags() | Qt::TextSelectableByMouse |
                                   Qt::TextSelectableByKeyboard);
    // Text selectable by the keys alone only takes the focus on a click; the screen reader's user
    // reaches it with Tab.
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAccessibleDescription(description);
}

void ShowValue(QLabel* value, const QString& caption, const QString& text) {
    value->setText(text);
    if (text.isEmpty()) {
        value->setAccessibleName(caption);
        return;
    }
    value->setAccessibleName(
        // TRANSLATORS: what a screen reader says for a value shown beside its caption, such as
        // "Filesize: 12 Bytes".
        FillQ(Tr("{caption}: {value}"), {{"caption", caption.toStdString()}, {"value", text.toStdString()}}));
}
