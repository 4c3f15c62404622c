// iksa-cli score: the "=" actions of the subtest pages on one record.
#include "CliSupport.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "scoring/RawScoreActions.h"

namespace iksa::cli {

namespace {

QList<int> subtestNumbers(const QStringList& args) {
    QList<int> numbers;
    for (const QString& arg : args) {
        bool ok = false;
        const int n = arg.toInt(&ok);
        if (!ok || n < 1 || n > 14)
            throw UserError(QStringLiteral("„%1“ není číslo subtestu (1 až 14).").arg(arg));
        numbers.append(n);
    }
    if (numbers.isEmpty())
        for (int n = 1; n <= 14; ++n)
            numbers.append(n);
    return numbers;
}

// Runs the actions of the subtests on record N and posts ("potvrdit"); prints
// every field an action wrote as FIELD=TEXT once the record is stored. A
// failing action stores nothing.
int runScore(const QStringList& args) {
    if (args.size() < 2)
        return usageError(QStringLiteral("score"));
    const QList<int> subtests = subtestNumbers(args.mid(2));
    OpenRecords open(args[0], DataModule::Access::ReadWrite);
    ExamineeRecord& record = open.record;
    record.moveTo(recordNumber(args[1], record));

    RawScoreActions actions(record);
    QStringList written;
    cancelOnFailure(record, [&] {
        for (const int subtest : subtests)
            for (const QString& handler : RawScoreActions::handlersOf(subtest))
                written += actions.run(handler);
        record.press(NavigatorButton::Post);
    });
    for (const QString& field : written)
        out() << field << '=' << record.text(field) << '\n';
    return 0;
}

const CommandRegistration registration({QStringLiteral("score"),
                                        QStringLiteral("score ADRESÁŘ N [SUBTEST…]"), runScore});

} // namespace

} // namespace iksa::cli
