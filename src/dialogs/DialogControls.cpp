// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace DialogControls {

namespace {

template <typename T> T *named(T *widget, const char *name, const QString &accessibleName)
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name, caption);
}

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, bool checked)
{
    auto *option = named(new QRadioButton(caption, parent), name, caption);
    option->setChecked(checked);
    return option;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool checked)
{
    auto *box = named(new QCheckBox(caption, parent), name, caption);
    box->setChecked(checked);
    return box;
}

QLineEdit *field(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, int width)
{
    auto *edit = named(new QLineEdit(text, parent), name, accessibleName);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QWidget *buddy)
{
    auto *text = named(new QLabel(caption, parent), name, caption);
    text->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty()) {
        QString spoken = caption;
        if (spoken.endsWith(QLatin1Char(':')))
            spoken.chop(1);
        buddy->setAccessibleName(spoken);
    }
    return text;
}

QGroupBox *frame(QWidget *parent, const QString &title)
{
    auto *box = new QGroupBox(title, parent);
    box->setAccessibleName(title);
    return box;
}

void tabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace DialogControls
