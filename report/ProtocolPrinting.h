#pragma once

#include <QString>

namespace iksa {

class ExamineeRecord;
class ReportComposer;
class UserMessages;

// Tisk_IKSA: composes the protocol (into the preview or onto the printer,
// as the surface's DirectPrint says), stores the current record in all three
// tables (the results of the evaluation, any entry the report reset to "0",
// and the item data behind the printed raw scores), and repeats the age
// message when VEK lies outside 16 … 100.
//
// When composing fails (no printer, an entry that is not a number), the
// record is stored all the same, so that the evaluation's results are not
// lost with the print job, and the failure is passed on (UserError).
// True when the protocol is complete; false when the age check stopped it.
bool Tisk_IKSA(ReportComposer& composer, ExamineeRecord& record, UserMessages& messages);

// The file name offered for the current record's protocol as PDF: surname,
// first name and date of examination, with only letters, digits, "-" and
// "." kept and everything else turned into "_" ("Novákova_Jana_12.3.2024.pdf");
// "protokol.pdf" when the record names nobody.
QString protocolPdfFileName(const ExamineeRecord& record);

} // namespace iksa
