// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Small builders for the element dialogs' controls, so every form names its controls, gives
// them accessible names and pairs labels with their fields the same way.
namespace FormControls {

// Widths of the dialogs' text fields: one for names and values, one for numbers.
constexpr int wideField = 200;
constexpr int narrowField = 44;

// A title bar without close, minimise or maximise buttons, and a size fixed by the layout.
void makeFixed(QDialog &dialog, QLayout &layout);

// A one-line field named name holding text; accessibleName is its label without the colon.
QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, int width);

// A label showing caption, the buddy of field.
QLabel *label(QWidget *parent, const QString &caption, QWidget *field, const char *name = nullptr);

// An option button of a group whose label is group.
QRadioButton *option(QWidget *parent, const char *name, const QString &caption, const QString &group, bool checked);

// A push button with a caption; its accessible name is the caption.
QPushButton *button(QWidget *parent, const char *name, const QString &caption);

// The row of a group of option buttons, side by side and left aligned. Tab stops at the
// selected option of the group, not at the first.
QBoxLayout *optionRow(QRadioButton *first, QRadioButton *second, QRadioButton *third = nullptr);

// OK above Cancel, at the top of a column at the right of the fields.
QBoxLayout *buttonColumn(QPushButton *ok, QPushButton *cancel);

} // namespace FormControls
