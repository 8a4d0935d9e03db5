// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProblemsList.h"
#include "support/TestMain.h"

#include "ModelFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

class tst_PageModelBuilder : public QObject
{
    Q_OBJECT

private slots:
    void aPauseInTypingBuildsTheModel();
    void aResultForChangedTextIsDropped();
    void offsetsFollowTheEditsSinceTheModel();
    void problemsListRowsAndActivation();
    void problemsAreUnderlined();
};

void tst_PageModelBuilder::aPauseInTypingBuildsTheModel()
{
    ModelFixture f;
    QVERIFY(f.waitForModel());
    QSignalSpy built(&f.builder, &PageModelBuilder::modelChanged);
    f.type(QStringLiteral("<p>a</b>"));
    // Nothing is parsed while the keys come; the pause after them builds one model.
    QCOMPARE(built.count(), 0);
    QVERIFY(built.wait(30000));
    QCOMPARE(built.count(), 1);
    QVERIFY(f.builder.isCurrent());
    QCOMPARE(f.builder.model()->problems().size(), 2); // no doctype, the stray </b>
}

void tst_PageModelBuilder::aResultForChangedTextIsDropped()
{
    ModelFixture f;
    QVERIFY(f.waitForModel());
    // A large page keeps the parse busy while the text changes under it.
    f.r1.setText(QStringLiteral("<!DOCTYPE html><title>t</title>") + QStringLiteral("<p>a <b>b</b>\n").repeated(40000) +
                 QStringLiteral("</i>"));
    QSignalSpy built(&f.builder, &PageModelBuilder::modelChanged);
    f.builder.rebuildNow();
    f.r1.setSelStart(0);
    f.r1.setSelText(QStringLiteral("<p>x</q>"));
    while (!f.builder.isCurrent())
        QVERIFY(built.wait(60000));
    // Only the model of the text as it stands was applied, and its offsets are the text's.
    const std::shared_ptr<const PageModel> model = f.builder.model();
    QCOMPARE(model->revision(), f.builder.revision());
    QVERIFY(built.count() >= 1);
    const QList<PageProblem> &problems = model->problems();
    QVERIFY(problems.size() >= 2);
    QCOMPARE(f.r1.textRange(problems.at(1).offset, problems.at(1).offset + problems.at(1).length), QStringLiteral("</q>"));
    QCOMPARE(f.r1.textRange(problems.last().offset, problems.last().offset + problems.last().length), QStringLiteral("</i>"));
}

void tst_PageModelBuilder::offsetsFollowTheEditsSinceTheModel()
{
    ModelFixture f;
    QVERIFY(f.load(QStringLiteral("<p>ab</p><i>c</i>")));
    f.r1.setSelStart(4);
    f.r1.setSelText(QStringLiteral("XYZ")); // <p>aXYZb</p><i>c</i>
    f.r1.setSelStart(0);
    f.r1.setSelLength(2);
    f.r1.setSelText(QStringLiteral("<")); // <>aXYZb</p><i>c</i>
    QVERIFY(!f.builder.isCurrent());
    QCOMPARE(f.builder.toCurrent(9), 11); // the "<" of <i>
    QCOMPARE(f.builder.toModel(11), 9);
    QCOMPARE(f.builder.toCurrent(4), 6);  // "b", after the insertion before it
    QCOMPARE(f.builder.toCurrent(1), -1); // "p" was replaced
    QCOMPARE(f.builder.toModel(4), -1);   // inside the inserted text
}

void tst_PageModelBuilder::problemsListRowsAndActivation()
{
    ModelFixture f;
    ProblemsList problems(f.r1, f.builder);
    problems.show();
    const QString page = QStringLiteral("<!DOCTYPE html>\n<title>t</title>\n<p>one\n<p>two <img src=\"a.png\">\n</span>\n<div>\n");
    QVERIFY(f.load(page));
    QCOMPARE(problems.list()->accessibleName(), QStringLiteral("Problems"));
    QStringList rows;
    for (int i = 0; i < problems.list()->count(); ++i)
        rows << problems.list()->item(i)->text();
    QCOMPARE(rows, QStringList({QStringLiteral("4:9  <img> without alt"), QStringLiteral("5:1  Stray end tag </span>"),
                                QStringLiteral("6:2  Element <div> is never closed"),
                                QStringLiteral("6:6  End of file while <div> is still open")}));
    QCOMPARE(problems.caption(), QStringLiteral("Problems (4)"));

    // Text typed since the list was made moves the problem; activation follows it.
    f.r1.setSelStart(0);
    f.r1.setSelText(QStringLiteral("<!-- x -->\n"));
    problems.list()->setFocus();
    problems.list()->setCurrentRow(1);
    QTest::keyClick(problems.list(), Qt::Key_Return);
    QCOMPARE(f.r1.SelStart(), page.indexOf(QLatin1String("</span>")) + 11);
    QCOMPARE(f.r1.SelLength(), 0);
    QCOMPARE(QApplication::focusWidget(), f.r1.widget());
}

void tst_PageModelBuilder::problemsAreUnderlined()
{
    ModelFixture f;
    ProblemsList problems(f.r1, f.builder);
    const QString page = QStringLiteral("<!DOCTYPE html><title>t</title><p>x</b><center>c</center>");
    QVERIFY(f.load(page));
    const int stray = static_cast<int>(page.indexOf(QLatin1String("</b>")));
    QCOMPARE(f.r1.marks(EditorControl::Mark::Error), (QList<std::pair<int, int>>{{stray, 4}}));
    QCOMPARE(f.r1.marks(EditorControl::Mark::Warning).size(), 1);
    // The marks leave the colours alone.
    const QByteArray colours = f.r1.colours(0, f.r1.length());
    f.r1.setMarks(EditorControl::Mark::Error, {});
    QCOMPARE(f.r1.colours(0, f.r1.length()), colours);
    // A page fixed: the list empties.
    QVERIFY(f.load(QStringLiteral("<!DOCTYPE html><title>t</title><p>x")));
    QCOMPARE(problems.list()->count(), 0);
    QVERIFY(f.r1.marks(EditorControl::Mark::Warning).isEmpty());
}

ZORVANE_TEST(tst_PageModelBuilder)
#include "tst_PageModelBuilder.moc"
