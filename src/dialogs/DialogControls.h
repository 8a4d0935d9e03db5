// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <initializer_list>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Builders for the element dialogs' controls: each gets its object name (the name tests and
// assistive tools find it by) and an accessible name.
namespace DialogControls {

QPushButton *button(QWidget *parent, const char *name, const QString &caption);
QRadioButton *option(QWidget *parent, const char *name, const QString &caption, bool checked = false);
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool checked = false);
// A one-line field; a width above 0 fixes its width in pixels.
QLineEdit *field(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, int width = 0);
// A label naming buddy, which takes the label's text (without a closing colon) as its accessible
// name unless it has one.
QLabel *label(QWidget *parent, const char *name, const QString &caption, QWidget *buddy);
QGroupBox *frame(QWidget *parent, const QString &title);

// Sets the Tab order to the order given.
void tabOrder(std::initializer_list<QWidget *> widgets);

} // namespace DialogControls
