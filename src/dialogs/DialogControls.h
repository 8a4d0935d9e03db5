// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <initializer_list>

class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QIcon;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Builders for the dialogs' controls and their usual rows, so every dialog names its controls,
// gives them accessible names and pairs labels with their fields the same way. The object name
// is the name tests and assistive tools find a control by.
namespace DialogControls {

// Widths of one-line fields: for names and values, and for numbers.
constexpr int wideField = 200;
constexpr int narrowField = 44;

QPushButton *button(QWidget *parent, const char *name, const QString &caption);
// A button showing only a square picture of size pixels; its tool tip says what it does and is
// its accessible name as well.
QPushButton *pictureButton(QWidget *parent, const char *name, const QIcon &picture, int size, const QString &toolTip);
QRadioButton *option(QWidget *parent, const char *name, const QString &caption, bool checked = false);
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool checked = false);
// A one-line field; a width above 0 fixes its width in pixels.
QLineEdit *field(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, int width = 0);
// A label naming buddy, which takes the label's text (without a closing colon) as its accessible
// name unless it has one. A label nobody looks up may go without a name (nullptr).
QLabel *label(QWidget *parent, const char *name, const QString &caption, QWidget *buddy);
QGroupBox *frame(QWidget *parent, const QString &title);

// The options of one group side by side, left aligned, described to assistive tools as
// belonging to group. Tab stops at the selected option of the group, not at the first.
QBoxLayout *optionRow(const QString &group, std::initializer_list<QRadioButton *> options);
// field followed, on the same row, by the label "Tab order:" and the tab order field.
QBoxLayout *tabOrderRow(QLineEdit *field, QLineEdit *tabOrder, const char *labelName = nullptr);
// OK above Cancel, at the top of a column.
QBoxLayout *buttonColumn(QPushButton *ok, QPushButton *cancel);
// OK and Cancel in a row: side by side at its right or left end (Qt::AlignRight or
// Qt::AlignLeft), or OK at the left end and Cancel at the right end (Qt::AlignJustify).
QBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel, Qt::Alignment placement);

// The text of a multi-line area exactly as typed, its lines joined by CR LF: a non-breaking
// space and a line separator (U+2028) stay what they are, where QPlainTextEdit::toPlainText
// would turn them into a space and a line break.
QString areaText(const QPlainTextEdit &area);

// Sets the Tab order to the order given.
void tabOrder(std::initializer_list<QWidget *> widgets);

} // namespace DialogControls
