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

    bool complete() const { return largeMs >= 0 && stressMs >= 0; }
    // Stress over large; negative while incomplete.
    double ratio() const;
    // Within its target at the large size and near-linear towards the stress size.
    bool passes() const;
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
    bool allPass() const;

    // A Markdown table, one line per figure, then the peak-memory line.
    QStringList lines() const;

    static QString formatMs(double ms);

private:
    int indexOf(const QString &name) const;

    QVector<BenchFigure> m_figures;
    double m_peakMiB = -1;
};
