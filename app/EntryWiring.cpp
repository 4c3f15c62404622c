#include "EntryWiring.h"

#include "Guard.h"
#include "controls/DBEdit.h"
#include "controls/DBRadioGroup.h"
#include "records/ExamineeRecord.h"
#include "scoring/KeyFilters.h"

#include <QAbstractButton>
#include <QCheckBox>

namespace iksa::app {

EntryWiring::EntryWiring(ExamineeRecord& record, UserMessages& messages, QObject* parent)
    : QObject(parent)
    , record_(record)
    , messages_(messages)
    , rules_(record)
    , actions_(record) {}

void EntryWiring::attachBox(DBEdit* box) {
    const QString field = box->fieldName();
    const KeyFilter filter = keyFilterFor(field);
    if (filter != KeyFilter::None)
        box->setKeyFilter(
            [filter](const QString&, QChar key) { return keyPasses(filter, QString(key)); });
    if (EntryRules::handlesSource(field))
        connect(box, &DBEdit::edited, this, &EntryWiring::sourceChanged);
    if (EntryRules::hasClickToggle(field))
        connect(box, &DBEdit::pressed, this, &EntryWiring::pressed);
}

void EntryWiring::attachGroup(DBRadioGroup* group) {
    if (EntryRules::handlesSource(group->fieldName()))
        connect(group, &DBRadioGroup::chosen, this, &EntryWiring::sourceChanged);
}

void EntryWiring::attachAction(QAbstractButton* button, const QString& handler) {
    connect(button, &QAbstractButton::clicked, this, [this, handler] { runAction(handler); });
}

void EntryWiring::attachNotAdministered(QCheckBox* box) {
    // clicked, not toggled: bringing the box in line with the record writes nothing.
    connect(box, &QCheckBox::clicked, this, [this, box](bool ticked) {
        if (!guarded(messages_, [&] { record_.setNotAdministeredMark(ticked); }))
            box->setChecked(!ticked);
    });
}

void EntryWiring::runAction(const QString& handler) {
    guarded(messages_, [&] { actions_.run(handler); });
}

void EntryWiring::sourceChanged(const QString& field) {
    guarded(messages_, [&] { rules_.sourceChanged(field); });
}

void EntryWiring::pressed(const QString& field) {
    guarded(messages_, [&] { rules_.click(field); });
}

} // namespace iksa::app
