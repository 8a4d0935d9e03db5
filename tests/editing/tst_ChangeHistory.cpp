// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ChangeHistory.h"
#include "support/TestMain.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// A document as a plain string, edited the way the editor control applies edits.
struct Document {
    QString text;

    ChangeHistory::Reader reader()
    {
        return [this](int start, int end) { return text.mid(start, end - start); };
    }

    void apply(const ContentEdit &edit)
    {
        QCOMPARE(text.mid(edit.offset, edit.removed.size()), edit.removed);
        text.replace(edit.offset, edit.removed.size(), edit.inserted);
    }

    // Makes a change of several edits and records it.
    void change(ChangeHistory &history, const QList<ContentEdit> &edits)
    {
        for (const ContentEdit &edit : edits)
            apply(edit);
        history.record(edits, reader());
    }

    void type(ChangeHistory &history, const QString &characters)
    {
        change(history, {{static_cast<int>(text.size()), QString(), characters}});
    }

    bool undo(ChangeHistory &history)
    {
        const std::optional<ContentEdit> edit = history.undo(reader());
        if (edit)
            apply(*edit);
        return edit.has_value();
    }

    bool redo(ChangeHistory &history)
    {
        const std::optional<ContentEdit> edit = history.redo(reader());
        if (edit)
            apply(*edit);
        return edit.has_value();
    }
};

} // namespace

class tst_ChangeHistory : public QObject
{
    Q_OBJECT

private slots:
    void undoAtTheOldestStateDoesNothing();
    void newChangeAfterUndoDropsTheUndoneLine();
    void keepsTheMostRecentThousandChanges();
    void severalEditsInOneChange_data();
    void severalEditsInOneChange();
    void holdsOnlyWhatIsNotInTheDocument();
};

void tst_ChangeHistory::undoAtTheOldestStateDoesNothing()
{
    ChangeHistory history;
    Document doc;
    QVERIFY(!doc.undo(history));
    QVERIFY(!doc.redo(history));
    doc.type(history, QStringLiteral("<p>"));
    QVERIFY(doc.undo(history));
    QCOMPARE(doc.text, QString());
    QVERIFY(!doc.undo(history));
    QCOMPARE(history.UndoIndex(), 0);
}

void tst_ChangeHistory::newChangeAfterUndoDropsTheUndoneLine()
{
    ChangeHistory history;
    Document doc;
    doc.type(history, QStringLiteral("a"));
    doc.type(history, QStringLiteral("b"));
    doc.type(history, QStringLiteral("c"));
    QVERIFY(doc.undo(history));
    QVERIFY(doc.undo(history));
    QCOMPARE(doc.text, QStringLiteral("a"));
    doc.type(history, QStringLiteral("d"));
    QCOMPARE(history.UndoIndex(), 2);
    // "abc" belonged to the abandoned line: Redo at the newest state changes nothing.
    QVERIFY(!doc.redo(history));
    QCOMPARE(doc.text, QStringLiteral("ad"));
    QVERIFY(doc.undo(history));
    QCOMPARE(doc.text, QStringLiteral("a"));
    QVERIFY(doc.redo(history));
    QCOMPARE(doc.text, QStringLiteral("ad"));
    QVERIFY(!doc.redo(history));
}

void tst_ChangeHistory::keepsTheMostRecentThousandChanges()
{
    ChangeHistory history;
    Document doc;
    for (int i = 0; i < 1200; ++i)
        doc.type(history, QStringLiteral("x"));
    QCOMPARE(history.size(), 1000);
    QCOMPARE(history.UndoIndex(), 1000);
    for (int i = 1; i <= 1000; ++i) {
        QVERIFY(doc.undo(history));
        QCOMPARE(doc.text.size(), 1200 - i);
    }
    QVERIFY(!doc.undo(history));
    QCOMPARE(doc.text, QString(200, u'x'));
    for (int i = 0; i < 1000; ++i)
        QVERIFY(doc.redo(history));
    QCOMPARE(doc.text, QString(1200, u'x'));
}

void tst_ChangeHistory::severalEditsInOneChange_data()
{
    // Edits as "offset-count" (delete) or "offset+text" (insert), in order.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("edits");

    QTest::newRow("replace") << QStringLiteral("<b>old</b>") << QStringList{QStringLiteral("3-3"), QStringLiteral("3+new")};
    QTest::newRow("apart, later first") << QStringLiteral("0123456789")
                                        << QStringList{QStringLiteral("8-1"), QStringLiteral("1+ab"), QStringLiteral("5-2")};
    QTest::newRow("insert then delete part of it")
        << QStringLiteral("abcdef") << QStringList{QStringLiteral("2+XYZ"), QStringLiteral("3-2"), QStringLiteral("0+<")};
    QTest::newRow("at both ends") << QStringLiteral("text") << QStringList{QStringLiteral("4+>"), QStringLiteral("0+<")};
    QTest::newRow("whole text") << QStringLiteral("old") << QStringList{QStringLiteral("0-3"), QStringLiteral("0+new\r\ntext")};
}

void tst_ChangeHistory::severalEditsInOneChange()
{
    QFETCH(QString, before);
    QFETCH(QStringList, edits);

    QList<ContentEdit> change;
    for (const QString &edit : edits) {
        const qsizetype sign = edit.indexOf(QRegularExpression(QStringLiteral("[-+]")));
        const int offset = edit.left(sign).toInt();
        if (edit.at(sign) == u'-')
            change.append({offset, QStringLiteral("?").repeated(edit.mid(sign + 1).toInt()), QString()});
        else
            change.append({offset, QString(), edit.mid(sign + 1)});
    }

    ChangeHistory history;
    Document doc{before};
    // The removed texts are read from the document as each edit is made.
    for (ContentEdit &edit : change) {
        edit.removed = doc.text.mid(edit.offset, edit.removed.size());
        doc.apply(edit);
    }
    history.record(change, doc.reader());
    const QString after = doc.text;

    QVERIFY(doc.undo(history));
    QCOMPARE(doc.text, before);
    QVERIFY(doc.redo(history));
    QCOMPARE(doc.text, after);
}

void tst_ChangeHistory::holdsOnlyWhatIsNotInTheDocument()
{
    ChangeHistory history;
    Document doc;
    const qsizetype empty = history.byteSize();
    // A large insertion is in the document; the history keeps only the text it replaced.
    doc.change(history, {{0, QString(), QString(1'000'000, u'a')}});
    QVERIFY(history.byteSize() - empty < 1000);
    QVERIFY(doc.undo(history));
    QVERIFY(history.byteSize() - empty >= 2'000'000);
    QVERIFY(doc.redo(history));
    QVERIFY(history.byteSize() - empty < 1000);
    QCOMPARE(doc.text.size(), 1'000'000);
}

ZORVANE_TEST(tst_ChangeHistory)
#include "tst_ChangeHistory.moc"
