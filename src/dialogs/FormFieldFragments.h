// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The single form controls the form-field dialogs write. Every text goes in as typed: not
// trimmed, not tested to be a number, not escaped; only the empty string counts as empty.
// Each kind has its own optional attributes and its own attribute order.
namespace FormFieldFragments {

struct OneLineTextBox {
    QString name;         // written only when not empty
    QString initialValue; // written only when not empty
    QString width;
    QString tabOrder; // written only when not empty
    bool password = false;
};
// <input type="text|password"[ name][ size][ value][ tabindex]>
QString build(const OneLineTextBox &field);

struct ScrollingTextBox {
    QString name;
    QString initialText; // line breaks as CR LF
    QString width;
    QString numberOfLines;
    QString tabOrder; // written only when not empty
};
// <textarea rows name cols[ tabindex]>initial text</textarea>
QString build(const ScrollingTextBox &field);

// A check box or a radio button: the same fields, written in a different order.
struct StateField {
    QString name;
    QString value;
    QString tabOrder; // written only when not empty
    bool on = false;  // checked, or selected, when the page opens
};
// <input type="checkbox" name value[ checked][ tabindex]>
QString checkBox(const StateField &field);
// <input type="radio" value[ checked] name[ tabindex]>
QString radioButton(const StateField &field);

enum class ButtonType { Normal, Submit, Reset };

struct PushButton {
    QString name;
    QString valueLabel; // written only when not empty
    QString tabOrder;   // written only when not empty
    ButtonType type = ButtonType::Normal;
};
// <input type="button|submit|reset"[ value] name[ tabindex]>
QString build(const PushButton &field);

} // namespace FormFieldFragments
