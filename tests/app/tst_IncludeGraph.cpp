// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestMain.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

// The code's own includes, read from src/: no two files include each other, directly or round a
// longer circle (a file pair counts as one unit, its .cpp included), so each side can be read,
// tested and changed alone.
class tst_IncludeGraph : public QObject
{
    Q_OBJECT

private slots:
    void noCircles();
    void layersPointDown_data();
    void layersPointDown();

private:
    // Each unit ("editor/EditorControl") and the units it includes.
    static QHash<QString, QSet<QString>> graph();
};

QHash<QString, QSet<QString>> tst_IncludeGraph::graph()
{
    const QString root = QString::fromUtf8(ZORVANE_SOURCE_DIR) + QStringLiteral("/src/");
    static const QRegularExpression include(QStringLiteral("^\\s*#include\\s+\"([^\"]+)\\.h\""),
                                            QRegularExpression::MultilineOption);
    QHash<QString, QSet<QString>> units;
    QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString unit = path.mid(root.size());
        unit.truncate(unit.lastIndexOf(QLatin1Char('.')));
        QSet<QString> &included = units[unit];
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (target != unit)
                included.insert(target);
        }
    }
    return units;
}

void tst_IncludeGraph::noCircles()
{
    const QHash<QString, QSet<QString>> units = graph();
    QVERIFY2(units.size() > 50, "the sources were not found");
    // Depth-first: a unit met again while still on the path closes a circle.
    QHash<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    QStringList circles;
    const std::function<void(const QString &)> visit = [&](const QString &unit) {
        state[unit] = 1;
        path << unit;
        for (const QString &next : units.value(unit)) {
            if (state.value(next) == 1)
                circles << (path.mid(path.indexOf(next)) << next).join(QStringLiteral(" -> "));
            else if (state.value(next) == 0 && units.contains(next))
                visit(next);
        }
        path.removeLast();
        state[unit] = 2;
    };
    for (auto it = units.cbegin(); it != units.cend(); ++it) {
        if (state.value(it.key()) == 0)
            visit(it.key());
    }
    QVERIFY2(circles.isEmpty(), qPrintable(circles.join(QLatin1Char('\n'))));
}

void tst_IncludeGraph::layersPointDown_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("mayInclude");
    QTest::newRow("text") << "text" << QStringList{QStringLiteral("text")};
    QTest::newRow("host") << "host" << QStringList{QStringLiteral("host"), QStringLiteral("text")};
    QTest::newRow("editor") << "editor" << QStringList{QStringLiteral("editor"), QStringLiteral("text")};
}

// The bottom of the house knows nothing above it; only main.cpp knows the main window.
void tst_IncludeGraph::layersPointDown()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, mayInclude);
    const QHash<QString, QSet<QString>> units = graph();
    for (auto it = units.cbegin(); it != units.cend(); ++it) {
        const QString from = it.key().section(QLatin1Char('/'), 0, 0);
        for (const QString &target : it.value()) {
            const QString to = target.section(QLatin1Char('/'), 0, 0);
            if (from == folder && !mayInclude.contains(to))
                QFAIL(qPrintable(it.key() + QStringLiteral(" includes ") + target));
            if (to == QLatin1String("app") && from != QLatin1String("app"))
                QFAIL(qPrintable(it.key() + QStringLiteral(" includes the main window's ") + target));
        }
    }
}

ZORVANE_TEST(tst_IncludeGraph)
#include "tst_IncludeGraph.moc"
