// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DialogControls.h"

#include "host/OneLineField.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

namespace DialogControls {

namespace {

template <typename T> T *named(T *widget, const char *name, const QString &accessibleName)
{
    if (name)
        widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name, caption);
}

QPushButton *pictureButton(QWidget *parent, const char *name, const QIcon &picture, int size, const QString &toolTip)
{
    auto *button = named(new QPushButton(parent), name, toolTip);
    button->setIcon(picture);
    button->setIconSize(QSize(size, size));
    button->setToolTip(toolTip);
    return button;
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
    auto *edit = named(new QLineEdit(parent), name, accessibleName);
    OneLineField::apply(*edit);
    edit->setText(text);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QString areaText(const QPlainTextEdit &area)
{
    // The raw text separates the area's lines with U+2029; the area itself starts a new line
    // where one is typed or pasted.
    QString text = area.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
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

QBoxLayout *optionRow(const QString &group, std::initializer_list<QRadioButton *> options)
{
    const QList<QRadioButton *> members(options);
    auto *row = new QHBoxLayout;
    row->setSpacing(16);
    for (QRadioButton *option : members) {
        option->setAccessibleDescription(group);
        row->addWidget(option);
    }
    row->addStretch();

    const auto tabToSelected = [members] {
        for (QRadioButton *option : members)
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    tabToSelected();
    for (QRadioButton *option : members)
        QObject::connect(option, &QRadioButton::toggled, option, tabToSelected);
    return row;
}

QBoxLayout *tabOrderRow(QLineEdit *field, QLineEdit *tabOrder, const char *labelName)
{
    auto *row = new QHBoxLayout;
    row->addWidget(field);
    row->addSpacing(12);
    row->addWidget(label(tabOrder->parentWidget(), labelName, QStringLiteral("Tab order:"), tabOrder));
    row->addWidget(tabOrder);
    row->addStretch();
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

QBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel, Qt::Alignment placement)
{
    auto *row = new QHBoxLayout;
    if (placement & Qt::AlignRight)
        row->addStretch();
    row->addWidget(ok);
    if (placement & Qt::AlignJustify)
        row->addStretch();
    row->addWidget(cancel);
    if (placement & Qt::AlignLeft)
        row->addStretch();
    return row;
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
