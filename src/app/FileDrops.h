// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QDropEvent;

// Takes a local file dragged onto the widgets it watches (the main window, and the editor, which
// would otherwise take the drop as text) and reports it once the drag has ended. Drags that bring
// no local file pass on untouched.
class FileDrops : public QObject
{
    Q_OBJECT

public:
    explicit FileDrops(QObject *parent = nullptr);

    // Watches widget; it must accept drops.
    void watch(QObject &widget);

signals:
    // Emitted after the drop's event, so a question and an open never run inside the drag.
    void fileDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
