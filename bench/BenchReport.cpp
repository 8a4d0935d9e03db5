// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchReport.h"

#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

} // namespace

void BenchReport::add(const QString &name, double value, const QString &unit, std::optional<double> budget)
{
    out() << name << ' ' << QString::number(value, 'g', 4) << ' ' << unit << ' '
          << (budget ? QString::number(*budget, 'g', 4) : QStringLiteral("-")) << Qt::endl;
    if (budget && value > *budget)
        m_missed.append(name);
}

void BenchReport::fail(const QString &reason)
{
    out() << "not measured: " << reason << Qt::endl;
    m_missed.append(reason);
}

bool BenchReport::finish() const
{
    if (m_missed.isEmpty())
        out() << "all budgets met" << Qt::endl;
    else
        out() << "over budget: " << m_missed.join(QStringLiteral(", ")) << Qt::endl;
    return m_missed.isEmpty();
}

double BenchReport::median(QList<double> values)
{
    return percentile(std::move(values), 0.5);
}

double BenchReport::percentile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<qsizetype>(std::ceil(fraction * static_cast<double>(values.size())));
    return values.at(std::clamp<qsizetype>(rank - 1, 0, values.size() - 1));
}
