// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// The figures of one run, printed one per line as "name value unit budget" ("-" when a figure
// has no budget of its own), then the budgets that were missed.
class BenchReport
{
public:
    // Prints the figure at once; a budget is an upper bound in the figure's unit.
    void add(const QString &name, double value, const QString &unit, std::optional<double> budget = std::nullopt);

    // A figure that could not be measured counts as a missed budget.
    void fail(const QString &reason);

    // Prints the missed budgets; true when every budget was met.
    bool finish() const;

    static double median(QList<double> values);
    static double percentile(QList<double> values, double fraction);

private:
    QStringList m_missed;
};
