#include "benchreport.h"

#include <algorithm>
#include <cmath>

double BenchFigure::ratio() const
{
    if (!complete())
        return -1;
    // A figure too small to time stays at 1 rather than dividing by zero.
    if (largeMs <= 0)
        return stressMs <= 0 ? 1.0 : INFINITY;
    return stressMs / largeMs;
}

bool BenchFigure::passes() const
{
    return complete() && !misses();
}

bool BenchFigure::misses() const
{
    return largeMs > targetMs || ratio() > BenchReport::MaxRatio;
}

QString BenchFigure::verdict() const
{
    if (misses())
        return QStringLiteral("FAIL");
    return passes() ? QStringLiteral("pass") : QStringLiteral("partial");
}

bool BenchReport::addFigure(const QString &name, double targetMs)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || indexOf(name) >= 0 || targetMs <= 0)
        return false;
    BenchFigure figure;
    figure.name = name;
    figure.targetMs = targetMs;
    m_figures.append(figure);
    return true;
}

bool BenchReport::record(const QString &runName, double ms)
{
    const int slash = runName.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0 || ms < 0 || !std::isfinite(ms))
        return false;
    const int index = indexOf(runName.left(slash));
    if (index < 0)
        return false;
    const QStringRef size = runName.midRef(slash + 1);
    BenchFigure &figure = m_figures[index];
    if (size == QLatin1String("large"))
        figure.largeMs = ms;
    else if (size == QLatin1String("stress"))
        figure.stressMs = ms;
    else
        return false;
    return true;
}

QStringList BenchReport::incomplete() const
{
    QStringList names;
    for (const BenchFigure &figure : m_figures) {
        if (!figure.complete())
            names << figure.name;
    }
    return names;
}

bool BenchReport::allPass() const
{
    bool any = false;
    for (const BenchFigure &figure : m_figures) {
        if (figure.misses())
            return false;
        any = any || figure.measured();
    }
    return any && (!stressMeasured() || memoryPasses());
}

bool BenchReport::stressMeasured() const
{
    return std::any_of(m_figures.cbegin(), m_figures.cend(),
                       [](const BenchFigure &figure) { return figure.stressMs >= 0; });
}

QString BenchReport::formatMs(double ms)
{
    if (ms < 0)
        return QStringLiteral("-");
    if (ms >= 10)
        return QString::number(ms, 'f', 1);
    if (ms >= 0.1)
        return QString::number(ms, 'f', 2);
    // Sub-0.1 ms figures keep two significant digits, down to nanoseconds.
    int decimals = 2;
    while (decimals < 6 && ms < 10 * std::pow(10.0, -decimals))
        ++decimals;
    return QString::number(ms, 'f', decimals);
}

QStringList BenchReport::lines() const
{
    QStringList out;
    out << QStringLiteral("| figure | large (ms) | stress (ms) | stress/large | target (ms) | result |")
        << QStringLiteral("|---|---:|---:|---:|---:|---|");
    for (const BenchFigure &figure : m_figures) {
        if (!figure.measured())
            continue;
        const double ratio = figure.ratio();
        out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |")
                   .arg(figure.name, formatMs(figure.largeMs), formatMs(figure.stressMs),
                        ratio < 0 ? QStringLiteral("-") : QString::number(ratio, 'f', 2),
                        QString::number(figure.targetMs), figure.verdict());
    }
    if (!stressMeasured())
        return out;
    out << QStringLiteral("| peak memory at the stress size (MiB) | | %1 | | %2 | %3 |")
               .arg(m_peakMiB < 0 ? QStringLiteral("-") : QString::number(m_peakMiB, 'f', 0),
                    QString::number(MemoryLimitMiB), memoryPasses() ? QStringLiteral("pass") : QStringLiteral("FAIL"));
    return out;
}

int BenchReport::indexOf(const QString &name) const
{
    for (int i = 0; i < m_figures.size(); ++i) {
        if (m_figures.at(i).name == name)
            return i;
    }
    return -1;
}
