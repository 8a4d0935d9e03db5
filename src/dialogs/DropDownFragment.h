// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The selection list the drop-down menu dialog writes: the start tag, one option line per item
// and the end tag, joined by CR LF with none after the end tag. Texts go in as typed.
namespace DropDownFragment {

struct SelectList {
    QString name;
    QString height;
    QString tabOrder; // written only when not empty
    bool multiple = false;
    QStringList items; // each is both the option's value and its text
};

QString build(const SelectList &list);

} // namespace DropDownFragment
