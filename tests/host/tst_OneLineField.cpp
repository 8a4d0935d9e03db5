// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/OneLineField.h"
#include "host/QtHostServices.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class tst_OneLineField : public QObject
{
    Q_OBJECT

private slots:
    void pastedLineBreaksAreDropped_data();
    void pastedLineBreaksAreDropped();
    void inputBoxIsAOneLineField();
};

void tst_OneLineField::pastedLineBreaksAreDropped_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected"); // pasted between "<" and ">"

    QTest::newRow("LF inside a word") << QStringLiteral("pic\nture.gif") << QStringLiteral("<picture.gif>");
    QTest::newRow("CR LF") << QStringLiteral("one\r\ntwo") << QStringLiteral("<onetwo>");
    QTest::newRow("CR alone") << QStringLiteral("a\rb") << QStringLiteral("<ab>");
    QTest::newRow("trailing line break") << QStringLiteral("x\r\n") << QStringLiteral("<x>");
    QTest::newRow("only line breaks") << QStringLiteral("\n\r\n") << QStringLiteral("<>");
    QTest::newRow("other spaces stay") << QStringLiteral("a\tb\u00a0c\u2028d") << QStringLiteral("<a\tb\u00a0c\u2028d>");
    const QString longText(40000, u'x');
    QTest::newRow("longer than 32,767 characters") << longText << u'<' + longText + u'>';
}

void tst_OneLineField::pastedLineBreaksAreDropped()
{
    QFETCH(QString, pasted);
    QFETCH(QString, expected);

    QLineEdit field;
    OneLineField::apply(field);
    field.setText(QStringLiteral("<>"));
    field.setCursorPosition(1);
    QApplication::clipboard()->setText(pasted);
    field.paste();
    QCOMPARE(field.text(), expected);
    // The cursor stands after what was pasted.
    QCOMPARE(field.cursorPosition(), expected.size() - 1);
}

void tst_OneLineField::inputBoxIsAOneLineField()
{
    QtHostServices host;
    const QString longText(40000, u'y');
    QString seen;
    // Answers the input box once it is up; a second timer ends a box that never got answered.
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!box)
            return;
        auto *field = box->findChild<QLineEdit *>();
        seen = field->text();
        QApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
        field->end(false);
        field->paste();
        box->accept();
    });
    QTimer::singleShot(10000, this, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    const std::optional<QString> answer = host.InputBox(QStringLiteral("Name:"), QString(), longText, 0, 0);
    // The default text is not cut, and the pasted line break is dropped.
    QCOMPARE(seen, longText);
    QVERIFY(answer.has_value());
    QCOMPARE(*answer, longText + QStringLiteral("ab"));
}

ZORVANE_TEST(tst_OneLineField)
#include "tst_OneLineField.moc"
