#include "report/ProtocolPrinting.h"

#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "records/UserMessages.h"
#include "report/DiscrepancyAnalysis.h"
#include "report/ReportComposer.h"

namespace iksa {

namespace {

// The whole record, as a move stores it: the results of the run in Table3
// and the item scores behind the printed raw scores in Table1 and Table2.
void storeRecord(ExamineeRecord& record) {
    record.storePendingChanges();
}

// The characters kept in a file name; any other run of characters becomes
// one "_". A name never starts with "." (a hidden file) or "-" (an option).
QString fileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text.trimmed()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'.')
            part += c;
        else if (!part.endsWith(u'_'))
            part += u'_';
    }
    while (part.startsWith(u'.') || part.startsWith(u'-') || part.startsWith(u'_'))
        part.remove(0, 1);
    while (part.endsWith(u'_'))
        part.chop(1);
    return part;
}

} // namespace

QString protocolPdfFileName(const ExamineeRecord& record) {
    QStringList parts;
    for (const char* field : {"PRIJM", "JMENO", "DATUM"}) {
        const QString part = fileNamePart(record.text(QString::fromLatin1(field)));
        if (!part.isEmpty())
            parts.append(part);
    }
    if (parts.isEmpty())
        return QStringLiteral("protokol.pdf");
    return parts.join(u'_') + QStringLiteral(".pdf");
}

bool Tisk_IKSA(ReportComposer& composer, ExamineeRecord& record, UserMessages& messages) {
    bool complete = false;
    try {
        complete = composer.Rozbal_data_IKSA();
    } catch (const UserError&) {
        try {
            storeRecord(record);
        } catch (const UserError&) {
            // The row cannot be stored as it stands (the same bad entry):
            // it stays pending, and the first failure is the one to tell.
        }
        throw;
    }
    storeRecord(record);
    if (!comparisonAgeInRange(record.integer(QStringLiteral("VEK"))))
        messages.show(comparisonAgeMessage());
    return complete;
}

} // namespace iksa
