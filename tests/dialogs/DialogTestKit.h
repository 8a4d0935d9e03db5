// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/EditorControl.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QVariantMap>

#include <functional>

// What the element dialog tests share: editors for a dialog to insert into, each with a
// preview refresher that counts its calls, and ways to reach and drive a dialog's controls by
// their names.

// An editor holding "<p>old</p>" with "old" selected, to see the selection replaced.
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

// An editor holding a document with the caret in the empty line of its body.
struct DialogFixture {
    static constexpr int bodyLine = 8;
    EditorControl editor;
    int refreshes = 0;

    DialogFixture()
    {
        editor.setText(QStringLiteral("<body>\r\n</body>"));
        editor.setSelStart(bodyLine);
    }
    std::function<void()> refresher()
    {
        return [this] { ++refreshes; };
    }
};

// The control of form named name; a missing control fails the whole run, as every later step
// of the test would be meaningless.
template <class T> T *control(const QWidget &form, const QString &name)
{
    T *found = form.findChild<T *>(name);
    if (!found)
        qFatal("%s has no control %s", qPrintable(form.objectName()), qPrintable(name));
    return found;
}

// Fills the named fields, clicks the named option buttons and picks the named entries of
// drop-down lists, as a user would.
inline void applyEdits(const QWidget &form, const QVariantMap &edits)
{
    for (auto it = edits.cbegin(); it != edits.cend(); ++it) {
        QWidget *widget = control<QWidget>(form, it.key());
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            line->setText(it.value().toString());
        else if (auto *area = qobject_cast<QPlainTextEdit *>(widget))
            area->setPlainText(it.value().toString());
        else if (auto *option = qobject_cast<QRadioButton *>(widget))
            option->click();
        else if (auto *list = qobject_cast<QComboBox *>(widget))
            list->setCurrentIndex(list->findText(it.value().toString(), Qt::MatchExactly));
        else
            qFatal("cannot edit %s", qPrintable(it.key()));
    }
}

// Shows dialog as the active window, the way its menu command opens it.
inline bool showActive(QDialog &dialog)
{
    dialog.show();
    dialog.activateWindow();
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

// The names of the controls Tab visits, from the one focused at opening until it comes back.
inline QStringList tabStops(QDialog &dialog)
{
    QStringList stops;
    QWidget *first = QApplication::focusWidget();
    QWidget *current = first;
    do {
        stops << (current ? current->objectName() : QStringLiteral("(none)"));
        QTest::keyClick(current ? current : &dialog, Qt::Key_Tab);
        current = QApplication::focusWidget();
    } while (current && current != first && stops.size() < 20);
    return stops;
}

// Presses a key on the focused control, as the user does.
inline void pressOnFocus(Qt::Key key)
{
    if (QWidget *focused = QApplication::focusWidget())
        QTest::keyClick(focused, key);
}

// Fills form's controls, presses its OK button and checks that fragment went in at the caret,
// the preview was refreshed once and the form closed as accepted.
inline void expectOkInserts(DialogFixture &fixture, QDialog &form, const QVariantMap &edits, const QString &fragment,
                            const QString &okName = QStringLiteral("cmdOK"))
{
    applyEdits(form, edits);
    control<QPushButton>(form, okName)->click();
    QCOMPARE(fixture.editor.Text(), QStringLiteral("<body>\r\n") + fragment + QStringLiteral("</body>"));
    QCOMPARE(fixture.editor.SelStart(), DialogFixture::bodyLine + fragment.size());
    QCOMPARE(fixture.refreshes, 1);
    QCOMPARE(form.result(), int(QDialog::Accepted));
}
