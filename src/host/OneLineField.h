// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

class QLineEdit;

// Makes a QLineEdit behave as a one-line text box: a line break pasted, dropped or set into it
// is dropped, so "pic" LF "ture.gif" becomes "picture.gif" (as a browser's one-line field
// does), and its text has no length limit beyond memory (Qt cuts at 32,767 characters).
class OneLineField : public QValidator
{
    Q_OBJECT

public:
    // The field owns the validator it is given.
    static void apply(QLineEdit &field);

    State validate(QString &input, int &pos) const override;

private:
    explicit OneLineField(QObject *parent);
};
