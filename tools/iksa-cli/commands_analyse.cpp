// iksa-cli analyse: the analyses of the protocol for one record, as the
// print commands work them out (evaluation first), without storing anything.
#include "CliSupport.h"
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/EvaluationRun.h"
#include "norms/CompiledNorms.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "report/ReportAnalyses.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace iksa::cli {

namespace {

QString row(const QStringList& cells) {
    return cells.join(QLatin1Char('\t'));
}

struct AnalyseOptions {
    QString dir;
    QString recordNumber;
    int basis = 0;
    int levelItem = 0; // 0: "0.05", 1: "0.15"
    bool json = false;
};

std::optional<AnalyseOptions> parse(const QStringList& args) {
    AnalyseOptions options;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--basis") && i + 1 < args.size()) {
            const std::optional<int> basis = meanBasisArgument(args[++i]);
            if (!basis)
                throw UserError(QStringLiteral("Průměr „%1“ neexistuje (0 až 5).").arg(args[i]));
            options.basis = *basis;
        } else if (arg == QLatin1String("--level") && i + 1 < args.size()) {
            const std::optional<int> levelItem = levelItemArgument(args[++i]);
            if (!levelItem)
                throw UserError(
                    QStringLiteral("Hladina významnosti „%1“ neexistuje (0.05 nebo 0.15).")
                        .arg(args[i]));
            options.levelItem = *levelItem;
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 2)
        return std::nullopt;
    options.dir = positional[0];
    options.recordNumber = positional[1];
    return options;
}

void print(const ReportAnalyses& analyses) {
    QTextStream& o = out();
    const EvaluationPage::MeanPanel& panel = analyses.meanPanel;
    o << "# Průměry\n";
    o << row({QStringLiteral("Celkem"), panel.verbalSum, panel.performanceSum, panel.totalSum})
      << '\n';
    o << row({QStringLiteral("Počet subtestů"), panel.verbalCount, panel.performanceCount,
              panel.totalCount})
      << '\n';
    o << row({QStringLiteral("Průměrný skór"), panel.verbalMean, panel.performanceMean,
              panel.overallMean})
      << '\n';

    const StrengthsTable& strengths = analyses.strengths;
    o << "# " << strengths.title << '\t' << strengths.levelText << '\n';
    for (const StrengthRow& r : strengths.rows)
        o << row({r.label, r.score, r.mean, r.deviation, r.critical,
                  r.best ? QStringLiteral("+") : QString(),
                  r.weakest ? QStringLiteral("-") : QString(), r.frequency})
          << '\n';

    o << "# Porovnání diskrepancí\n";
    if (analyses.comparisons)
        for (const ComparisonRow& r : *analyses.comparisons)
            o << row({r.label, r.shortName1, r.score1, r.shortName2, r.score2, r.difference,
                      r.critical, r.baseRate})
              << '\n';

    const DigitSpanRows& span = analyses.digitSpan;
    o << "# Číselné řady\n";
    o << row({QStringLiteral("Nejdelší číselná řada dopředu"), span.forward,
              span.forwardCumulative})
      << '\n';
    o << row({QStringLiteral("Nejdelší číselná řada dozadu"), span.backward,
              span.backwardCumulative})
      << '\n';
    o << row({QStringLiteral("Řady dopředu - dozadu"), span.forward, span.backward, span.difference,
              span.differenceCumulative})
      << '\n';

    o << "# Volitelné subtesty\n";
    for (const SymbolOptionRow& r : analyses.symbolOptions)
        o << row({r.field, r.raw, r.cumulative}) << '\n';
}

// A text of the protocol in JSON: what it leaves empty (not computed, not
// entered) is null.
QJsonValue jsonText(const QString& text) {
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QJsonObject jsonObject(std::initializer_list<std::pair<const char*, QString>> texts) {
    QJsonObject object;
    for (const auto& [name, text] : texts)
        object.insert(QLatin1String(name), jsonText(text));
    return object;
}

void printJson(const ReportAnalyses& analyses) {
    const EvaluationPage::MeanPanel& panel = analyses.meanPanel;
    QJsonObject root;
    root.insert(QStringLiteral("means"),
                jsonObject({{"verbalSum", panel.verbalSum},
                            {"performanceSum", panel.performanceSum},
                            {"totalSum", panel.totalSum},
                            {"verbalCount", panel.verbalCount},
                            {"performanceCount", panel.performanceCount},
                            {"totalCount", panel.totalCount},
                            {"verbalMean", panel.verbalMean.trimmed()},
                            {"performanceMean", panel.performanceMean.trimmed()},
                            {"overallMean", panel.overallMean.trimmed()}}));

    const StrengthsTable& strengths = analyses.strengths;
    QJsonArray rows;
    for (const StrengthRow& r : strengths.rows) {
        QJsonObject row = jsonObject({{"label", r.label},
                                      {"score", r.score},
                                      {"mean", r.mean.trimmed()},
                                      {"deviation", r.deviation.trimmed()},
                                      {"critical", r.critical},
                                      {"frequency", r.frequency}});
        row.insert(QStringLiteral("best"), r.best);
        row.insert(QStringLiteral("weakest"), r.weakest);
        rows.append(row);
    }
    QJsonObject table;
    table.insert(QStringLiteral("title"), strengths.title);
    table.insert(QStringLiteral("level"), strengths.levelText);
    table.insert(QStringLiteral("rows"), rows);
    root.insert(QStringLiteral("strengths"), table);

    QJsonArray comparisons;
    if (analyses.comparisons)
        for (const ComparisonRow& r : *analyses.comparisons)
            comparisons.append(jsonObject({{"label", r.label},
                                           {"shortName1", r.shortName1},
                                           {"score1", r.score1},
                                           {"shortName2", r.shortName2},
                                           {"score2", r.score2},
                                           {"difference", r.difference},
                                           {"critical", r.critical},
                                           {"baseRate", r.baseRate}}));
    root.insert(QStringLiteral("comparisons"),
                analyses.comparisons ? QJsonValue(comparisons) : QJsonValue(QJsonValue::Null));

    const DigitSpanRows& span = analyses.digitSpan;
    root.insert(QStringLiteral("digitSpan"),
                jsonObject({{"forward", span.forward},
                            {"backward", span.backward},
                            {"difference", span.difference},
                            {"forwardCumulative", span.forwardCumulative},
                            {"backwardCumulative", span.backwardCumulative},
                            {"differenceCumulative", span.differenceCumulative}}));
    QJsonArray symbols;
    for (const SymbolOptionRow& r : analyses.symbolOptions)
        symbols.append(
            jsonObject({{"field", r.field}, {"raw", r.raw}, {"cumulative", r.cumulative}}));
    root.insert(QStringLiteral("symbolOptions"), symbols);
    out() << QJsonDocument(root).toJson(QJsonDocument::Compact) << '\n';
}

// Prints the texts the protocol of record N would carry: the means panel,
// the strengths and weaknesses table, the comparisons, the digit span and
// the optional digit-symbol procedures, as tab-separated rows or (--json)
// one JSON object in which an empty text is null. Messages go to stderr.
// Everything runs on the record buffer, which is dropped at the end.
int runAnalyse(const QStringList& args) {
    const std::optional<AnalyseOptions> parsed = parse(args);
    if (!parsed)
        return usageError(QStringLiteral("analyse"));
    // Read-write: the checks reset empty entries to "0" in the buffer, which
    // a read-only table refuses; the buffer is cancelled, never posted.
    OpenRecords open(parsed->dir, DataModule::Access::ReadWrite);
    StderrMessages& messages = open.messages;
    ExamineeRecord& record = open.record;
    record.moveTo(recordNumber(parsed->recordNumber, record));

    EvaluationOptions options;
    options.RadioGroup1Click(parsed->levelItem);
    options.RadioGroup2Click(parsed->basis);
    EvaluationPage page;
    std::optional<ReportAnalyses> analyses;
    cancelOnFailure(record, [&] {
        EvaluationRun(record, options, page, messages).Button2Click();
        analyses = analyseReport(record, options, page, messages, compiledNormSet());
    });
    record.press(NavigatorButton::Cancel);
    if (parsed->json)
        printJson(*analyses);
    else
        print(*analyses);
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("analyse"),
     QStringLiteral("analyse ADRESÁŘ N [--basis 0-5] [--level 0.05|0.15] [--json]"), runAnalyse});

} // namespace

} // namespace iksa::cli
