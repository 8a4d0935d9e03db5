// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/FormFieldFragments.h"

namespace FormFieldFragments {

namespace {

// ` name="text"`: one leading space, the text unchanged.
QString attribute(const char *name, const QString &text)
{
    return u' ' + QString::fromLatin1(name) + QStringLiteral("=\"") + text + u'"';
}

QString optionalAttribute(const char *name, const QString &text)
{
    return text.isEmpty() ? QString() : attribute(name, text);
}

} // namespace

QString build(const OneLineTextBox &field)
{
    return QStringLiteral("<input") + (field.password ? QStringLiteral(" type=\"password\"") : QStringLiteral(" type=\"text\"")) +
           optionalAttribute("name", field.name) + attribute("size", field.width) +
           optionalAttribute("value", field.initialValue) + optionalAttribute("tabindex", field.tabOrder) + u'>';
}

QString build(const ScrollingTextBox &field)
{
    return QStringLiteral("<textarea") + attribute("rows", field.numberOfLines) + attribute("name", field.name) +
           attribute("cols", field.width) + optionalAttribute("tabindex", field.tabOrder) + u'>' + field.initialText +
           QStringLiteral("</textarea>");
}

QString checkBox(const StateField &field)
{
    return QStringLiteral("<input type=\"checkbox\"") + attribute("name", field.name) + attribute("value", field.value) +
           (field.on ? QStringLiteral(" checked") : QString()) + optionalAttribute("tabindex", field.tabOrder) + u'>';
}

QString radioButton(const StateField &field)
{
    return QStringLiteral("<input type=\"radio\"") + attribute("value", field.value) +
           (field.on ? QStringLiteral(" checked") : QString()) + attribute("name", field.name) +
           optionalAttribute("tabindex", field.tabOrder) + u'>';
}

QString build(const PushButton &field)
{
    QString type;
    switch (field.type) {
    case ButtonType::Normal:
        type = QStringLiteral("button");
        break;
    case ButtonType::Submit:
        type = QStringLiteral("submit");
        break;
    case ButtonType::Reset:
        type = QStringLiteral("reset");
        break;
    }
    return QStringLiteral("<input type=\"") + type + u'"' + optionalAttribute("value", field.valueLabel) +
           attribute("name", field.name) + optionalAttribute("tabindex", field.tabOrder) + u'>';
}

} // namespace FormFieldFragments
