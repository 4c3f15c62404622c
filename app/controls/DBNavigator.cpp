#include "DBNavigator.h"

#include "Guard.h"
#include "Pictures.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>

namespace iksa::app {

namespace {

constexpr std::array<NavigatorButton, 8> allButtons{
    NavigatorButton::First, NavigatorButton::Prior,  NavigatorButton::Next,
    NavigatorButton::Last,  NavigatorButton::Insert, NavigatorButton::Edit,
    NavigatorButton::Post,  NavigatorButton::Cancel};

int indexOf(NavigatorButton button) {
    return static_cast<int>(button);
}

// Whether the source's table is open with a row being edited or inserted.
bool isEditing(const DataSource* source) {
    if (!source || !source->isActive())
        return false;
    const TableState state = source->table().state();
    return state == TableState::Edit || state == TableState::Insert;
}

} // namespace

DBNavigator::DBNavigator(DataSource& source, QWidget* parent)
    : QWidget(parent) {
    bind(source, QString());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (NavigatorButton which : allButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(buttonName(which));
        button->setToolTip(hint(which));
        button->setIcon(Pictures::navigatorIcon(which));
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, which] { press(which); });
        layout->addWidget(button);
        buttons_[indexOf(which)] = button;
    }
    connect(&source, &DataSource::stateChanged, this, &DBNavigator::updateEnabled);
    updateEnabled();
}

QString DBNavigator::hint(NavigatorButton button) {
    // Assigned in button order as they stand.
    static const std::array<QString, 8> hints{QStringLiteral("začátek db."),
                                              QStringLiteral("o jeden ke konci"),
                                              QStringLiteral("o jeden k  začátku"),
                                              QStringLiteral("konec db."),
                                              QStringLiteral("přidat "),
                                              QStringLiteral("editovat"),
                                              QStringLiteral("potvrdit"),
                                              QStringLiteral("storno")};
    return hints[indexOf(button)];
}

QString DBNavigator::buttonName(NavigatorButton button) {
    static const std::array<QString, 8> names{
        QStringLiteral("nbFirst"), QStringLiteral("nbPrior"),  QStringLiteral("nbNext"),
        QStringLiteral("nbLast"),  QStringLiteral("nbInsert"), QStringLiteral("nbEdit"),
        QStringLiteral("nbPost"),  QStringLiteral("nbCancel")};
    return names[indexOf(button)];
}

QToolButton* DBNavigator::button(NavigatorButton button) const {
    return buttons_[indexOf(button)];
}

void DBNavigator::press(NavigatorButton button) {
    DataSource* source = dataSource();
    if (!source)
        return;
    const bool done = guarded(source->messages(), [&] {
        if (action_)
            action_(button);
        else
            performOnTable(button);
    });
    updateEnabled();
    if (done)
        emit clicked(button);
}

void DBNavigator::performOnTable(NavigatorButton button) {
    Table& table = dataSource()->table();
    switch (button) {
    case NavigatorButton::First:
        table.first();
        break;
    case NavigatorButton::Prior:
        table.prior();
        break;
    case NavigatorButton::Next:
        table.next();
        break;
    case NavigatorButton::Last:
        table.last();
        break;
    case NavigatorButton::Insert:
        table.insert();
        break;
    case NavigatorButton::Edit:
        table.edit();
        break;
    case NavigatorButton::Post:
        table.post();
        break;
    case NavigatorButton::Cancel:
        table.cancel();
        break;
    }
}

void DBNavigator::addFollower(DataSource& source) {
    followers_.append(&source);
    connect(&source, &DataSource::stateChanged, this, &DBNavigator::updateEnabled);
    updateEnabled();
}

bool DBNavigator::followerEditing() const {
    return std::any_of(followers_.begin(), followers_.end(),
                       [](const QPointer<DataSource>& f) { return isEditing(f.data()); });
}

void DBNavigator::refresh() {
    updateEnabled();
}

void DBNavigator::updateEnabled() {
    const DataSource* source = dataSource();
    const bool active = source && source->isActive();
    const Table* table = active ? &source->table() : nullptr;
    const bool ownEditing = isEditing(source);
    const bool editing = ownEditing || followerEditing();
    const int count = active ? table->recordCount() : 0;
    const int position = active ? table->recNo() : 0;
    const bool up = active && (ownEditing || position > 1);
    const bool down = active && position < count;
    button(NavigatorButton::First)->setEnabled(up);
    button(NavigatorButton::Prior)->setEnabled(up);
    button(NavigatorButton::Next)->setEnabled(down);
    button(NavigatorButton::Last)->setEnabled(down);
    button(NavigatorButton::Insert)->setEnabled(active);
    button(NavigatorButton::Edit)->setEnabled(active && !ownEditing && count > 0);
    button(NavigatorButton::Post)->setEnabled(active && editing);
    button(NavigatorButton::Cancel)->setEnabled(active && editing);
}

} // namespace iksa::app
