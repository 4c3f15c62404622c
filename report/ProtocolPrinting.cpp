#include "report/ProtocolPrinting.h"

#include "records/ExamineeRecord.h"
#include "records/UserError.h"
#include "records/UserMessages.h"
#include "report/DiscrepancyAnalysis.h"
#include "report/ReportComposer.h"

namespace iksa {

namespace {

void storeTable3(ExamineeRecord& record) {
    Table& table3 = record.data().table3();
    table3.edit();
    table3.post();
}

} // namespace

void Tisk_IKSA(ReportComposer& composer, ExamineeRecord& record, UserMessages& messages) {
    try {
        composer.Rozbal_data_IKSA();
    } catch (const UserError&) {
        try {
            storeTable3(record);
        } catch (const UserError&) {
            // The row cannot be stored as it stands (the same bad entry):
            // it stays pending, and the first failure is the one to tell.
        }
        throw;
    }
    storeTable3(record);
    if (!comparisonAgeInRange(record.integer(QStringLiteral("VEK"))))
        messages.show(comparisonAgeMessage());
}

} // namespace iksa
