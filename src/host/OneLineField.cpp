// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/OneLineField.h"

#include <QLineEdit>

#include <limits>

namespace {

QString withoutLineBreaks(const QString &text)
{
    QString result = text;
    result.remove(u'\r');
    result.remove(u'\n');
    return result;
}

} // namespace

OneLineField::OneLineField(QObject *parent)
    : QValidator(parent)
{
}

void OneLineField::apply(QLineEdit &field)
{
    field.setMaxLength(std::numeric_limits<int>::max());
    field.setValidator(new OneLineField(&field));
}

QValidator::State OneLineField::validate(QString &input, int &pos) const
{
    if (!input.contains(u'\r') && !input.contains(u'\n'))
        return Acceptable;
    // The cursor keeps its place among the characters that stay.
    const QString before = withoutLineBreaks(input.left(pos));
    input = withoutLineBreaks(input);
    pos = static_cast<int>(before.size());
    return Acceptable;
}
