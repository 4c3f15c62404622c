#pragma once

#include <QDir>

namespace iksa {

class ExamineeRecord;
class UserMessages;

// At start, once the tables are open and before anything is typed: a
// recovery file left by a program that did not end normally is offered back.
// The question names the examinee and the time of the entries, and warns
// when the record has changed since. "Ano" moves to the record and puts the
// texts into its buffer in edit state, not yet stored; "Ne" (and Esc) keeps
// the file aside under another name. Entries whose record is no longer in
// the tables, or a file that cannot be read, are kept aside too, and said so.
// Entries that the tables already hold are not offered.
void offerUnsavedEntries(ExamineeRecord& record, const QDir& dataDir, UserMessages& messages);

} // namespace iksa
