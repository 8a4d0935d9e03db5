// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EditorControl.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTest>

#include <functional>

// What an element dialog acts on, for its tests: an editor holding "<p>old</p>" with "old"
// selected, and a preview refresher that counts its calls.
struct DialogProbe {
    EditorControl editor;
    int refreshes = 0;

    DialogProbe()
    {
        editor.setText(QStringLiteral("<p>old</p>"));
        editor.setSelStart(3);
        editor.setSelLength(3);
    }

    std::function<void()> refresher()
    {
        return [this] { ++refreshes; };
    }
};

// The fragment replaced the selected "old", the caret stands right after it, nothing selected.
#define VERIFY_INSERTED(probe, fragment)                                                                               \
    do {                                                                                                               \
        QCOMPARE((probe).editor.Text(), QStringLiteral("<p>") + (fragment) + QStringLiteral("</p>"));                  \
        QCOMPARE((probe).editor.SelStart(), 3 + QString(fragment).size());                                             \
        QCOMPARE((probe).editor.SelLength(), 0);                                                                       \
    } while (false)

// The document as it was before the dialog opened.
#define VERIFY_UNTOUCHED(probe)                                                                                        \
    do {                                                                                                               \
        QCOMPARE((probe).editor.Text(), QStringLiteral("<p>old</p>"));                                                 \
        QCOMPARE((probe).editor.SelText(), QStringLiteral("old"));                                                     \
    } while (false)

// The dialog's control of that object name; a missing control ends the run.
template <typename T>
T *control(const QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("%s has no control %s", qPrintable(dialog.objectName()), name);
    return widget;
}

// Shows the dialog (not modal) and waits until it has the input focus.
inline bool showActive(QDialog &dialog)
{
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

// The object names of the focused control at opening and after each of steps presses of Tab.
inline QStringList tabWalk(QDialog &dialog, int steps)
{
    QStringList names;
    for (int step = 0; step <= steps; ++step) {
        QWidget *focused = dialog.focusWidget();
        names.append(focused ? focused->objectName() : QString());
        if (focused && step < steps)
            QTest::keyClick(focused, Qt::Key_Tab);
    }
    return names;
}

// Presses a key on the focused control, as the user does.
inline void pressOnFocus(Qt::Key key)
{
    if (QWidget *focused = QApplication::focusWidget())
        QTest::keyClick(focused, key);
}
