#pragma once

#include "scoring/EntryRules.h"
#include "scoring/RawScoreActions.h"

#include <QObject>

class QAbstractButton;
class QCheckBox;

namespace iksa {
class ExamineeRecord;
class UserMessages;
} // namespace iksa

namespace iksa::app {

class DBEdit;
class DBRadioGroup;

// Connects the entry boxes of the subtest pages to the rules of the scoring
// library: key filters on key presses, the trial and answer-key rules on the
// examiner's own changes (never when a record is shown), the click toggle,
// the "=" actions and the check box "neadministrován".
class EntryWiring : public QObject {
    Q_OBJECT

public:
    EntryWiring(ExamineeRecord& record, UserMessages& messages, QObject* parent = nullptr);

    void attachBox(DBEdit* box);
    void attachGroup(DBRadioGroup* group);
    void attachAction(QAbstractButton* button, const QString& handler);
    void attachNotAdministered(QCheckBox* box);

    void runAction(const QString& handler);

private:
    void sourceChanged(const QString& field);
    void pressed(const QString& field);

    ExamineeRecord& record_;
    UserMessages& messages_;
    EntryRules rules_;
    RawScoreActions actions_;
};

} // namespace iksa::app
