// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/FormControls.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace FormControls {

void makeFixed(QDialog &dialog, QLayout &layout)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setAccessibleName(dialog.windowTitle());
    layout.setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, int width)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(accessibleName);
    field->setFixedWidth(width);
    return field;
}

QLabel *label(QWidget *parent, const QString &caption, QWidget *field, const char *name)
{
    auto *text = new QLabel(caption, parent);
    if (name)
        text->setObjectName(QString::fromLatin1(name));
    text->setBuddy(field);
    return text;
}

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, const QString &group, bool checked)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setAccessibleDescription(group);
    button->setChecked(checked);
    return button;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *push = new QPushButton(caption, parent);
    push->setObjectName(QString::fromLatin1(name));
    push->setAccessibleName(caption);
    return push;
}

QBoxLayout *optionRow(QRadioButton *first, QRadioButton *second, QRadioButton *third)
{
    QList<QRadioButton *> group{first, second};
    if (third)
        group << third;
    auto *row = new QHBoxLayout;
    row->setSpacing(16);
    for (QRadioButton *option : group)
        row->addWidget(option);
    row->addStretch();

    const auto tabToSelected = [group] {
        for (QRadioButton *option : group)
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    tabToSelected();
    for (QRadioButton *option : group)
        QObject::connect(option, &QRadioButton::toggled, option, tabToSelected);
    return row;
}

QBoxLayout *buttonColumn(QPushButton *ok, QPushButton *cancel)
{
    auto *column = new QVBoxLayout;
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch();
    return column;
}

} // namespace FormControls
