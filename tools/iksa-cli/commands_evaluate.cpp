// iksa-cli evaluate: the evaluation run ("Vyhodnotit") on one record.
#include "CliSupport.h"
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/EvaluationRun.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

namespace iksa::cli {

namespace {

// The reference-group texts of the page, by their controls.
QString referenceTextName(int subtest) {
    return QStringLiteral("StaticText%1").arg(44 + subtest);
}

// The records named by N: a number, a range "A-B" or "all".
QList<int> recordNumbers(const QString& which, const ExamineeRecord& record) {
    const int count = record.recordCount();
    int first = 1;
    int last = count;
    if (const qsizetype dash = which.indexOf(QLatin1Char('-')); dash > 0) {
        bool firstOk = false;
        bool lastOk = false;
        first = which.left(dash).toInt(&firstOk);
        last = which.mid(dash + 1).toInt(&lastOk);
        if (!firstOk || !lastOk || first > last || first < 1 || last > count)
            throw noSuchRecord(which, count);
    } else if (which != QLatin1String("all")) {
        first = last = recordNumber(which, record);
    }
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

// Evaluates the current record and posts Table3, as a print command does
// after the run; false when the age check stopped it (nothing written).
// Returns every field it wrote, as stored, and the reference-group texts.
std::optional<QList<std::pair<QString, QString>>> evaluate(ExamineeRecord& record,
                                                           UserMessages& messages) {
    const EvaluationOptions options;
    EvaluationPage page;
    EvaluationRun run(record, options, page, messages);
    Table& table3 = record.data().table3();
    try {
        if (!run.Button2Click())
            return std::nullopt;
        table3.post();
    } catch (...) {
        table3.cancel();
        throw;
    }
    QList<std::pair<QString, QString>> texts;
    for (const QString& field : run.writtenFields())
        texts.append({field, table3.text(field)});
    for (int subtest = 1; subtest <= 14; ++subtest)
        texts.append({referenceTextName(subtest), page.referenceText(subtest)});
    return texts;
}

// Runs the evaluation with the default options on record N (or on each
// record of a range in turn). The run's messages go to stderr as the window
// shows them; stdout gets FIELD=TEXT lines or one JSON object per record,
// where a result that was not computed is an empty TEXT or null.
// With several records each block starts with a line "[N]" and each JSON
// object carries "record".
int runEvaluate(const QStringList& args) {
    QStringList positional = args;
    const bool json = positional.removeAll(QStringLiteral("--json")) > 0;
    if (positional.size() != 2)
        return usageError(QStringLiteral("evaluate"));
    OpenRecords open(positional[0], DataModule::Access::ReadWrite);
    StderrMessages& messages = open.messages;
    ExamineeRecord& record = open.record;
    const QList<int> numbers = recordNumbers(positional[1], record);
    const bool several = numbers.size() > 1 || positional[1] == QLatin1String("all");

    int exitCode = 0;
    for (const int n : numbers) {
        record.moveTo(n);
        const auto texts = evaluate(record, messages);
        if (!texts) {
            exitCode = 1;
            continue;
        }
        if (json) {
            QJsonObject object;
            if (several)
                object.insert(QStringLiteral("record"), n);
            // What the run could not compute (left empty) is null.
            for (const auto& [name, text] : *texts)
                object.insert(name, text.isEmpty() ? QJsonValue(QJsonValue::Null) : text);
            out() << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
        } else {
            if (several)
                out() << '[' << n << "]\n";
            for (const auto& [name, text] : *texts)
                out() << name << '=' << text << '\n';
        }
    }
    return exitCode;
}

const CommandRegistration registration({QStringLiteral("evaluate"),
                                        QStringLiteral("evaluate ADRESÁŘ N|A-B|all [--json]"),
                                        runEvaluate});

} // namespace

} // namespace iksa::cli
