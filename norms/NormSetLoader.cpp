#include "norms/NormSetLoader.h"

#include "scoring/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace iksa {

namespace {

// One data line: its number in the file and its tab-separated fields.
struct Line {
    int number = 0;
    QStringList fields;
};

class Reader {
public:
    Reader(const QString& directory, QStringList& problems)
        : directory_(directory)
        , problems_(problems) {}

    std::optional<QByteArray> bytes(const QString& name) {
        QFile file(QDir(directory_).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            problems_.append(QStringLiteral("%1: soubor nelze otevřít").arg(name));
            return std::nullopt;
        }
        return file.readAll();
    }

    // The data lines of a file with exactly fieldCount fields; other lines are
    // reported and skipped.
    QVector<Line> lines(const QString& name, int fieldCount) {
        QVector<Line> result;
        const QStringList text =
            QString::fromUtf8(bytes(name).value_or(QByteArray())).split(QLatin1Char('\n'));
        for (int i = 0; i < text.size(); ++i) {
            QString line = text[i];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList fields = line.split(QLatin1Char('\t'));
            if (fields.size() != fieldCount) {
                problem(name, i + 1,
                        QStringLiteral("%1 polí místo %2").arg(fields.size()).arg(fieldCount));
                continue;
            }
            result.append({i + 1, fields});
        }
        return result;
    }

    void problem(const QString& name, int line, const QString& text) {
        problems_.append(QStringLiteral("%1, řádek %2: %3").arg(name).arg(line).arg(text));
    }

private:
    QString directory_;
    QStringList& problems_;
};

// Whole numbers as the files write them: an optional minus sign and digits.
std::optional<int> toInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || text != QString::number(value))
        return std::nullopt;
    return value;
}

// Parses the integer fields [from, to) of a line; reports the first that is not one.
bool parseInts(Reader& reader, const QString& file, const Line& line, int from, int to,
               QVector<int>& out) {
    out.clear();
    for (int i = from; i < to; ++i) {
        const std::optional<int> value = toInt(line.fields[i]);
        if (!value) {
            reader.problem(file, line.number,
                           QStringLiteral("\"%1\" není celé číslo").arg(line.fields[i]));
            return false;
        }
        out.append(*value);
    }
    return true;
}

template <typename Map, typename Value>
void insertOnce(Reader& reader, const QString& file, const Line& line, Map& map,
                const typename Map::key_type& key, const Value& value) {
    if (map.contains(key)) {
        reader.problem(file, line.number, QStringLiteral("položka je v souboru podruhé"));
        return;
    }
    map.insert(key, value);
}

void readSetFile(Reader& reader, NormSet& set, QStringList& problems) {
    const QString file = QStringLiteral("set.json");
    const std::optional<QByteArray> bytes = reader.bytes(file);
    if (!bytes)
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    if (!document.isObject()) {
        problems.append(QStringLiteral("%1: neplatný JSON (%2)").arg(file, error.errorString()));
        return;
    }
    const QJsonObject object = document.object();
    if (!object.value(QStringLiteral("name")).isString())
        problems.append(QStringLiteral("%1: chybí text \"name\"").arg(file));
    if (!object.value(QStringLiteral("illustrative")).isBool())
        problems.append(QStringLiteral("%1: chybí logická hodnota \"illustrative\"").arg(file));
    set.name = object.value(QStringLiteral("name")).toString();
    set.illustrative = object.value(QStringLiteral("illustrative")).toBool(true);
}

void readAgeBands(Reader& reader, NormSet& set) {
    const QString file = QStringLiteral("age-bands.tsv");
    QVector<int> v;
    for (const Line& line : reader.lines(file, 4)) {
        int family = -1;
        for (int f = 0; f < AgeBandFamilyCount; ++f)
            if (ageBandFamilyCode(static_cast<AgeBandFamily>(f)) == line.fields[0])
                family = f;
        if (family < 0) {
            reader.problem(file, line.number,
                           QStringLiteral("neznámý seznam pásem \"%1\"").arg(line.fields[0]));
            continue;
        }
        if (parseInts(reader, file, line, 1, 4, v))
            set.ageBands[static_cast<size_t>(family)].append({v[0], v[1], v[2]});
    }
}

void readScaled(Reader& reader, NormSet& set) {
    const QString file = QStringLiteral("scaled.tsv");
    const Catalogue& catalogue = Catalogue::instance();
    QVector<int> v;
    for (const Line& line : reader.lines(file, 5)) {
        const std::optional<TableSet> tableSet = TableSet::fromCode(line.fields[0]);
        const Subtest* subtest = catalogue.byCode(line.fields[1]);
        if (!tableSet || !subtest) {
            reader.problem(file, line.number,
                           QStringLiteral("neznámá sada \"%1\" nebo subtest \"%2\"")
                               .arg(line.fields[0], line.fields[1]));
            continue;
        }
        if (parseInts(reader, file, line, 2, 5, v))
            set.table(*tableSet, subtest->number).append({v[0], v[1], v[2]});
    }
}

void readComposite(Reader& reader, NormSet& set) {
    const QString file = QStringLiteral("composite.tsv");
    QVector<int> v;
    for (const Line& line : reader.lines(file, 6)) {
        const std::optional<Composite> composite = compositeFromCode(line.fields[0]);
        if (!composite) {
            reader.problem(file, line.number,
                           QStringLiteral("neznámý složený skór \"%1\"").arg(line.fields[0]));
            continue;
        }
        if (!parseInts(reader, file, line, 1, 3, v))
            continue;
        set.composite[static_cast<size_t>(*composite)].append(
            {v[0], CompositeRow{v[1], line.fields[3], line.fields[4], line.fields[5]}});
    }
}

void readDeviationNorms(Reader& reader, NormSet& set) {
    const QString file = QStringLiteral("deviation-norms.tsv");
    QVector<int> key;
    for (const Line& line : reader.lines(file, 9)) {
        if (!parseInts(reader, file, line, 0, 2, key))
            continue;
        DeviationRecord record{};
        bool ok = true;
        for (int i = 0; i < 7 && ok; ++i) {
            record[static_cast<size_t>(i)] = line.fields[i + 2].toDouble(&ok);
            if (!ok)
                reader.problem(file, line.number,
                               QStringLiteral("\"%1\" není číslo").arg(line.fields[i + 2]));
        }
        if (ok)
            insertOnce(reader, file, line, set.deviationNorms, {key[0], key[1]}, record);
    }
}

// Files of texts keyed by two integers.
void readKeyedTexts(Reader& reader, const QString& file, QMap<std::pair<int, int>, QString>& map) {
    QVector<int> key;
    for (const Line& line : reader.lines(file, 3))
        if (parseInts(reader, file, line, 0, 2, key))
            insertOnce(reader, file, line, map, {key[0], key[1]}, line.fields[2]);
}

void readSpanCumulative(Reader& reader, NormSet& set) {
    const QString file = QStringLiteral("span-cumulative.tsv");
    QVector<int> band;
    QVector<int> span;
    for (const Line& line : reader.lines(file, 4)) {
        const QString& direction = line.fields[1];
        if (direction != QLatin1String("F") && direction != QLatin1String("B")) {
            reader.problem(file, line.number,
                           QStringLiteral("směr \"%1\" není F ani B").arg(direction));
            continue;
        }
        if (!parseInts(reader, file, line, 0, 1, band) ||
            !parseInts(reader, file, line, 2, 3, span))
            continue;
        auto& map = direction == QLatin1String("F") ? set.spanForward : set.spanBackward;
        insertOnce(reader, file, line, map, {band[0], span[0]}, line.fields[3]);
    }
}

void readSymbolThresholds(Reader& reader, NormSet& set) {
    const QString file = QStringLiteral("symbol-option-thresholds.tsv");
    QVector<int> band;
    QVector<int> values;
    for (const Line& line : reader.lines(file, 8)) {
        int procedure = -1;
        for (int p = 0; p < 3; ++p)
            if (symbolProcedureField(static_cast<SymbolProcedure>(p)) == line.fields[1])
                procedure = p;
        if (procedure < 0) {
            reader.problem(file, line.number,
                           QStringLiteral("neznámý postup \"%1\"").arg(line.fields[1]));
            continue;
        }
        if (!parseInts(reader, file, line, 0, 1, band) ||
            !parseInts(reader, file, line, 2, 8, values))
            continue;
        SymbolThresholds thresholds{};
        std::copy(values.begin(), values.end(), thresholds.begin());
        insertOnce(reader, file, line, set.symbolThresholds, {band[0], procedure}, thresholds);
    }
}

} // namespace

NormSetLoad loadNormSet(const QString& directory) {
    NormSetLoad load;
    Reader reader(directory, load.problems);
    readSetFile(reader, load.set, load.problems);
    readAgeBands(reader, load.set);
    readScaled(reader, load.set);
    readComposite(reader, load.set);
    readDeviationNorms(reader, load.set);
    readKeyedTexts(reader, QStringLiteral("index-critical-values.tsv"),
                   load.set.indexCriticalValues);
    readKeyedTexts(reader, QStringLiteral("index-base-rates.tsv"), load.set.indexBaseRates);
    readSpanCumulative(reader, load.set);
    readKeyedTexts(reader, QStringLiteral("span-difference-cumulative.tsv"),
                   load.set.spanDifference);
    readSymbolThresholds(reader, load.set);
    return load;
}

} // namespace iksa
