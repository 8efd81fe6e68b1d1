#pragma once
// The figures of one benchmark run: each operation timed at the large and the
// stress size, held against its target, printed one line per figure.

#include <QString>
#include <QStringList>
#include <QVector>

struct BenchFigure
{
    QString name;
    double targetMs = 0;
    double largeMs = -1; // negative: not measured
    double stressMs = -1;

    bool measured() const { return largeMs >= 0 || stressMs >= 0; }
    bool complete() const { return largeMs >= 0 && stressMs >= 0; }
    // Stress over large; negative while incomplete.
    double ratio() const;
    // Within its target at the large size and near-linear towards the stress size.
    bool passes() const;
    // What was measured already shows a miss: the large size over its target,
    // or both sizes and the growth between them too steep. A figure run at
    // one size only neither passes nor misses.
    bool misses() const;
    // "pass", "FAIL" or "partial".
    QString verdict() const;
};

class BenchReport
{
public:
    static constexpr double MaxRatio = 6.0;
    static constexpr double MemoryLimitMiB = 1024.0;

    // Figure names must not contain '/'; a repeated name is refused.
    bool addFigure(const QString &name, double targetMs);

    // Takes a run named "<figure>/large" or "<figure>/stress"; false for any
    // other name. A later run of the same figure and size replaces the earlier.
    bool record(const QString &runName, double ms);

    void setPeakMemoryMiB(double mib) { m_peakMiB = mib; }

    const QVector<BenchFigure> &figures() const { return m_figures; }
    // Names of figures missing a size.
    QStringList incomplete() const;
    // Some figure was measured and none that was misses; the peak memory
    // counts when the stress size was measured. Figures not run (left out by
    // a filter) are no verdict either way.
    bool allPass() const;

    // A Markdown table, one line per figure measured, then the peak-memory
    // line when the stress size was measured.
    QStringList lines() const;

    static QString formatMs(double ms);

private:
    int indexOf(const QString &name) const;
    bool stressMeasured() const;
    bool memoryPasses() const { return m_peakMiB >= 0 && m_peakMiB < MemoryLimitMiB; }

    QVector<BenchFigure> m_figures;
    double m_peakMiB = -1;
};
