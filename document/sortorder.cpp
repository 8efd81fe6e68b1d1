#include "sortorder.h"

#include "serviceorder.h"

#include <QCollator>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QString nameField = QStringLiteral("NAME");

bool isAsciiDigit(uint c)
{
    return c >= '0' && c <= '9';
}

int compareCodePoints(const QVector<uint> &x, const QVector<uint> &y)
{
    int i = 0;
    int j = 0;
    while (i < x.size() && j < y.size()) {
        if (isAsciiDigit(x[i]) && isAsciiDigit(y[j])) {
            // Digit runs compare by value: leading zeros dropped, then the longer is larger.
            while (i < x.size() && x[i] == '0')
                ++i;
            while (j < y.size() && y[j] == '0')
                ++j;
            const int startX = i;
            const int startY = j;
            while (i < x.size() && isAsciiDigit(x[i]))
                ++i;
            while (j < y.size() && isAsciiDigit(y[j]))
                ++j;
            if (i - startX != j - startY)
                return (i - startX) - (j - startY);
            for (int k = 0; k < i - startX; ++k) {
                if (x[startX + k] != y[startY + k])
                    return x[startX + k] < y[startY + k] ? -1 : 1;
            }
            continue;
        }
        if (x[i] != y[j])
            return x[i] < y[j] ? -1 : 1;
        ++i;
        ++j;
    }
    return (x.size() - i) - (y.size() - j);
}

// One sort key's values for the programmes being sorted, compared by index.
class Column
{
public:
    virtual ~Column() = default;
    virtual int compare(int a, int b) const = 0;
};

class RankColumn : public Column
{
public:
    explicit RankColumn(std::vector<int> ranks)
        : m_ranks(std::move(ranks)) {}
    int compare(int a, int b) const override { return m_ranks[std::size_t(a)] - m_ranks[std::size_t(b)]; }

private:
    std::vector<int> m_ranks;
};

// Code points after case folding; folded once per programme, not per comparison.
class CodePointColumn : public Column
{
public:
    explicit CodePointColumn(const QStringList &texts)
    {
        m_folded.reserve(std::size_t(texts.size()));
        for (const QString &text : texts)
            m_folded.push_back(text.toCaseFolded().toUcs4());
    }
    int compare(int a, int b) const override { return compareCodePoints(m_folded[std::size_t(a)], m_folded[std::size_t(b)]); }

private:
    std::vector<QVector<uint>> m_folded;
};

class CollatorColumn : public Column
{
public:
    CollatorColumn(const QStringList &texts, const QLocale &locale)
    {
        QCollator collator(locale);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        m_keys.reserve(std::size_t(texts.size()));
        for (const QString &text : texts)
            m_keys.push_back(collator.sortKey(text));
    }
    int compare(int a, int b) const override { return m_keys[std::size_t(a)].compare(m_keys[std::size_t(b)]); }

private:
    std::vector<QCollatorSortKey> m_keys;
};

std::unique_ptr<Column> textColumn(const QStringList &texts, const SortRequest &request)
{
    if (request.collation == SortRequest::Collation::CodePoint)
        return std::make_unique<CodePointColumn>(texts);
    return std::make_unique<CollatorColumn>(texts, request.locale);
}

std::unique_ptr<Column> columnFor(const QString &key, const std::vector<const DB_NS::PGNode *> &programmes,
                                  const ChannelDatabase &database, const SortRequest &request)
{
    if (key == SortOrder::satelliteKey()) {
        QHash<const DB_NS::SatNode *, int> rank;
        int next = 0;
        for (const DB_NS::SatNode *sat : database.sats())
            rank.insert(sat, next++);
        std::vector<int> ranks;
        ranks.reserve(programmes.size());
        for (const DB_NS::PGNode *programme : programmes) {
            const DB_NS::TPNode *tp = programme->parent();
            ranks.push_back(rank.value(tp ? tp->parent() : nullptr, next));
        }
        return std::make_unique<RankColumn>(std::move(ranks));
    }
    const bool frequency = key == SortOrder::frequencyKey();
    QStringList texts;
    texts.reserve(int(programmes.size()));
    for (const DB_NS::PGNode *programme : programmes) {
        const DB_NS::Node *holder = frequency ? static_cast<const DB_NS::Node *>(programme->parent()) : programme;
        texts.append(holder ? holder->value(key) : QString());
    }
    return textColumn(texts, request);
}

} // namespace

namespace SortOrder {

QString satelliteKey()
{
    return QStringLiteral("satellite");
}

QString frequencyKey()
{
    return QStringLiteral("FRQ");
}

QStringList availableKeys(const TemplateVector &programmeTemplate)
{
    QStringList keys{nameField};
    for (const TemplateField &field : programmeTemplate) {
        if (field.open && field.name != nameField && field.name != frequencyKey() && field.name != satelliteKey())
            keys.append(field.name);
    }
    keys << satelliteKey() << frequencyKey();
    return keys;
}

QVector<quint32> sorted(const ChannelDatabase &database, const SortRequest &request)
{
    QVector<quint32> order;
    std::vector<const DB_NS::PGNode *> listed(database.allPGs().begin(), database.allPGs().end());
    order.reserve(int(listed.size()));
    for (const DB_NS::PGNode *programme : listed)
        order.append(programme->id());

    // The places the sorted programmes hold, in service order.
    std::vector<int> places;
    if (request.ids.isEmpty()) {
        places.resize(std::size_t(order.size()));
        for (int i = 0; i < order.size(); ++i)
            places[std::size_t(i)] = i;
    } else {
        const QSet<quint32> chosen(request.ids.cbegin(), request.ids.cend());
        for (int i = 0; i < order.size(); ++i) {
            if (chosen.contains(order.at(i)))
                places.push_back(i);
        }
    }
    std::vector<const DB_NS::PGNode *> programmes;
    programmes.reserve(places.size());
    for (const int place : places)
        programmes.push_back(listed[std::size_t(place)]);

    std::vector<std::unique_ptr<Column>> columns;
    if (request.tvFirst) {
        std::vector<int> radio;
        radio.reserve(programmes.size());
        for (const DB_NS::PGNode *programme : programmes)
            radio.push_back(programme->value(QStringLiteral("V_PID")) == QLatin1String("0") ? 1 : 0);
        columns.push_back(std::make_unique<RankColumn>(std::move(radio)));
    }
    for (const QString &key : request.keys)
        columns.push_back(columnFor(key, programmes, database, request));

    std::vector<int> indices(programmes.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = int(i);
    std::stable_sort(indices.begin(), indices.end(), [&columns](int a, int b) {
        for (const auto &column : columns) {
            const int c = column->compare(a, b);
            if (c != 0)
                return c < 0;
        }
        return false;
    });
    for (std::size_t i = 0; i < places.size(); ++i)
        order[places[i]] = programmes[std::size_t(indices[i])]->id();
    return order;
}

} // namespace SortOrder
