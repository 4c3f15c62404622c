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

// Prints the texts the protocol of record N would carry: the means panel,
// the strengths and weaknesses table, the comparisons, the digit span and
// the optional digit-symbol procedures. Messages go to stderr. Everything
// runs on the record buffer, which is dropped at the end.
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
    print(*analyses);
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("analyse"),
     QStringLiteral("analyse ADRESÁŘ N [--basis 0-5] [--level 0.05|0.15]"), runAnalyse});

} // namespace

} // namespace iksa::cli
