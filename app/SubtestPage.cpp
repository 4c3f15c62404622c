#include "SubtestPage.h"

#include "EntryWiring.h"
#include "Pictures.h"
#include "controls/DBEdit.h"
#include "controls/DBRadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace iksa::app {

namespace {

const QColor reverseShade(0xd4, 0xd4, 0xd4);

// Column headings of the item grid for the cells without one of their own.
QString roleHeading(CellRole role) {
    switch (role) {
    case CellRole::Response:
        return QStringLiteral("Odpověď");
    case CellRole::Time:
        return QStringLiteral("Čas (s)");
    case CellRole::Joins:
        return QStringLiteral("Správná spojení");
    case CellRole::Count:
        return QString();
    case CellRole::Option:
        return QStringLiteral("Volba");
    case CellRole::Trial:
        return QStringLiteral("Pokus");
    case CellRole::Score:
        return QStringLiteral("Skór");
    }
    return QString();
}

// Content shown beside the items, with the column headings of the pages.
struct ContentColumn {
    const char* key;
    QString heading;
    QString ItemContent::*text;
};

const QList<ContentColumn>& contentColumns() {
    static const QList<ContentColumn> columns{
        {"correctAnswer", QStringLiteral("Správná odpověď"), &ItemContent::correctAnswer},
        {"correctOrder", QStringLiteral("Správná odpověď         (2 body)"),
         &ItemContent::correctOrder},
        {"acceptableOrder", QStringLiteral("Přijatelná odpověď            (1 bod)"),
         &ItemContent::acceptableOrder},
    };
    return columns;
}

QString cellKey(const ItemCell& cell) {
    return QStringLiteral("cell:%1").arg(int(cell.role));
}

// Pixel width of a response box by the characters its field holds.
int responseWidth(int characters) {
    return qBound(120, 40 + characters * 4, 320);
}

QLabel* headingLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(false);
    return label;
}

QString itemCaption(const Item& item) {
    QString caption = item.number > 0 ? QStringLiteral("%1.").arg(item.number) : item.key;
    if (!item.content.caption.isEmpty())
        caption += QLatin1Char(' ') + item.content.caption;
    if (item.key.contains(QLatin1Char('_')))
        caption += QStringLiteral(" (%1. pokus)").arg(item.key.section(u'_', 1));
    return caption;
}

} // namespace

QString SubtestPage::controlName(const QString& field) {
    // Boxes the system knows by their own names.
    static const QHash<QString, QString> names{
        {QStringLiteral("PAR_3"), QStringLiteral("DBEdit112")},
        {QStringLiteral("VOL_VYB_3"), QStringLiteral("DBEdit113")},
        {QStringLiteral("C_HS_OP_3"), QStringLiteral("DBEdit115")},
        {QStringLiteral("RAD_DOP_8"), QStringLiteral("DBEdit482")},
        {QStringLiteral("RAD_DOZ_8"), QStringLiteral("DBEdit483")},
        {QStringLiteral("SP_13_1_1"), QStringLiteral("DBEdit432")},
        {QStringLiteral("S_10_1_2"), QStringLiteral("DBRadioGroup47")},
    };
    return names.value(field, field);
}

SubtestPage::SubtestPage(const Subtest& subtest, const PageContext& context, QWidget* parent)
    : QWidget(parent)
    , subtest_(subtest)
    , context_(context) {
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("Items_%1").arg(subtest.code));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(8);
    for (const Section& section : subtest.sections)
        buildSection(column, section);
    for (const FieldGroup& group : subtest.groups)
        buildGroup(column, group);
    if (!subtest.note.isEmpty()) {
        auto* note = new QLabel(subtest.note, content);
        note->setObjectName(QStringLiteral("Note_%1").arg(subtest.code));
        note->setWordWrap(true);
        column->addWidget(note);
    }
    column->addStretch();

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("Scroll_%1").arg(subtest.code));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(content);

    auto* panel = new QVBoxLayout;
    buildSummary(panel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 6, 0);
    layout->addWidget(scroll_, 1);
    layout->addLayout(panel);
}

void SubtestPage::buildSection(QVBoxLayout* column, const Section& section) {
    QWidget* host = column->parentWidget();
    if (!section.title.isEmpty())
        column->addWidget(headingLabel(section.title, host));
    if (section.items.isEmpty())
        return;

    // Plan the columns from the section's items: all rows of a section carry
    // the same cells.
    const Item& first = section.items.first();
    QHash<QString, int> columns;
    int next = 2;
    const auto any = [&](auto predicate) {
        return std::any_of(section.items.begin(), section.items.end(), predicate);
    };
    if (any([](const Item& i) { return i.timeLimit > 0; }))
        columns.insert(QStringLiteral("limit"), next++);
    if (any([](const Item& i) { return !i.multiplier.isEmpty(); }))
        columns.insert(QStringLiteral("multiplier"), next++);
    if (first.cell(CellRole::Trial, 1)) {
        columns.insert(QStringLiteral("trialNo"), next++);
        columns.insert(QStringLiteral("sequence"), next++);
        columns.insert(QStringLiteral("trial"), next++);
    }
    for (const ItemCell& cell : first.cells)
        if (cell.role != CellRole::Trial)
            columns.insert(cellKey(cell), next++);
    for (const ContentColumn& content : contentColumns())
        if (any([&](const Item& i) { return !(i.content.*content.text).isEmpty(); }))
            columns.insert(QString::fromLatin1(content.key), next++);

    auto* gridHost = new QWidget(host);
    auto* grid = new QGridLayout(gridHost);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    const auto heading = [&](const QString& key, const QString& text) {
        if (columns.contains(key))
            grid->addWidget(headingLabel(text, gridHost), 0, columns.value(key),
                            Qt::AlignLeft | Qt::AlignBottom);
    };
    grid->addWidget(headingLabel(QStringLiteral("Položka"), gridHost), 0, 1);
    heading(QStringLiteral("limit"), QStringLiteral("Limit"));
    heading(QStringLiteral("multiplier"), QStringLiteral("Násobek"));
    heading(QStringLiteral("trialNo"), QStringLiteral("Pokus"));
    heading(QStringLiteral("sequence"), QStringLiteral("Zadání"));
    heading(QStringLiteral("trial"), QStringLiteral("Skór pokusu"));
    for (const ItemCell& cell : first.cells)
        if (cell.role != CellRole::Trial)
            heading(cellKey(cell), cell.heading.isEmpty() ? roleHeading(cell.role) : cell.heading);
    for (const ContentColumn& content : contentColumns())
        heading(QString::fromLatin1(content.key), content.heading);

    int row = 1;
    for (const Item& item : section.items)
        row = addItemRows(grid, row, item, columns);
    grid->setColumnStretch(next, 1);
    column->addWidget(gridHost);

    if (section.totalField.isEmpty())
        return;
    auto* total = new QHBoxLayout;
    total->addWidget(new QLabel(QStringLiteral("Celkem:"), host));
    total->addWidget(addComputedBox(section.totalField, 44));
    // The part's "=" follows its last item in the order of entry.
    QAbstractButton* totalButton = addActionButton(section.totalAction);
    entries_.append(totalButton);
    total->addWidget(totalButton);
    total->addWidget(new QLabel(section.totalMaximumCaption, host));
    total->addSpacing(24);
    total->addWidget(new QLabel(section.spanCaption, host));
    total->addWidget(addComputedBox(section.spanField, 44));
    total->addStretch();
    column->addLayout(total);
}

int SubtestPage::addItemRows(QGridLayout* grid, int row, const Item& item,
                             const QHash<QString, int>& columns) {
    QWidget* host = grid->parentWidget();
    int trials = 0;
    for (const ItemCell& cell : item.cells)
        trials = qMax(trials, cell.role == CellRole::Trial ? cell.trial : 0);
    const int span = qMax(1, trials);

    if (item.start) {
        auto* marker = new QWidget(host);
        marker->setObjectName(QStringLiteral("Start_%1").arg(subtest_.code));
        auto* markerLayout = new QHBoxLayout(marker);
        markerLayout->setContentsMargins(0, 0, 0, 0);
        auto* start = new QLabel(QStringLiteral("ZAČÁTEK"), marker);
        QFont bold = start->font();
        bold.setBold(true);
        start->setFont(bold);
        start->setStyleSheet(QStringLiteral("color: #c83228;"));
        auto* arrow = new QLabel(marker);
        arrow->setPixmap(Pictures::startArrow());
        markerLayout->addWidget(start);
        markerLayout->addWidget(arrow);
        grid->addWidget(marker, row, 0, span, 1);
    }

    auto* caption = new QLabel(itemCaption(item), host);
    caption->setObjectName(subtest_.number == 1 && item.key == QLatin1String("1")
                               ? QStringLiteral("Label1")
                               : QStringLiteral("Caption_%1_%2").arg(subtest_.code, item.key));
    if (!item.content.caption.isEmpty())
        caption->setMinimumWidth(110);
    if (item.reverse) {
        caption->setAutoFillBackground(true);
        QPalette shaded = caption->palette();
        shaded.setColor(QPalette::Window, reverseShade);
        caption->setPalette(shaded);
        caption->setProperty("reverse", true);
    }
    grid->addWidget(caption, row, 1, span, 1);

    if (item.timeLimit > 0 && columns.contains(QStringLiteral("limit")))
        grid->addWidget(new QLabel(QStringLiteral("%1 s").arg(item.timeLimit), host), row,
                        columns.value(QStringLiteral("limit")), span, 1);
    if (!item.multiplier.isEmpty())
        grid->addWidget(new QLabel(item.multiplier, host), row,
                        columns.value(QStringLiteral("multiplier")), span, 1, Qt::AlignCenter);

    for (const ItemCell& cell : item.cells) {
        if (cell.role == CellRole::Trial) {
            const int r = row + cell.trial - 1;
            grid->addWidget(new QLabel(QStringLiteral("%1.").arg(cell.trial), host), r,
                            columns.value(QStringLiteral("trialNo")));
            QString sequence = item.content.trialSequences.value(cell.trial - 1);
            const QString answer = item.content.trialAnswers.value(cell.trial - 1);
            if (!answer.isEmpty())
                sequence += QStringLiteral("  (%1)").arg(answer);
            grid->addWidget(new QLabel(sequence, host), r,
                            columns.value(QStringLiteral("sequence")));
            grid->addWidget(cellWidget(cell, item), r, columns.value(QStringLiteral("trial")),
                            Qt::AlignLeft);
            continue;
        }
        grid->addWidget(cellWidget(cell, item), row, columns.value(cellKey(cell)), span, 1,
                        Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (const ContentColumn& content : contentColumns()) {
        const QString text = item.content.*content.text;
        if (!text.isEmpty())
            grid->addWidget(new QLabel(text, host), row,
                            columns.value(QString::fromLatin1(content.key)), span, 1);
    }
    return row + span;
}

QWidget* SubtestPage::cellWidget(const ItemCell& cell, const Item& item) {
    switch (cell.role) {
    case CellRole::Response:
    case CellRole::Count: {
        const int characters = context_.source(cell.table)
                                   .table()
                                   .schema()
                                   .columns.at(context_.source(cell.table).fieldIndex(cell.field))
                                   .width;
        return addBox(cell.table, cell.field, cell.width, responseWidth(characters));
    }
    case CellRole::Time:
        return addBox(cell.table, cell.field, cell.width, 40);
    case CellRole::Joins: {
        auto* holder = new QWidget;
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(addBox(cell.table, cell.field, cell.width, 34));
        layout->addWidget(new QLabel(QStringLiteral("(0–%1)").arg(cell.maximum), holder));
        return holder;
    }
    case CellRole::Option: {
        QStringList captions = cell.optionCaptions;
        const int key = item.content.keyOption;
        if (key >= 1 && key <= captions.size())
            captions[key - 1] = QStringLiteral("[%1]").arg(captions[key - 1]);
        DBRadioGroup* group = addGroup(cell.table, cell.field, captions, cell.optionCodes);
        addEntry(group);
        return group;
    }
    case CellRole::Trial:
    case CellRole::Score:
        break;
    }

    const ScoreDomain& domain = cell.domain;
    if (domain.kind == ScoreKind::Chosen) {
        QStringList headings;
        for (int i = 0; i < domain.buttons.size(); ++i)
            headings.append(!domain.headings.value(i).isEmpty() ? domain.headings.value(i)
                                                                : domain.brackets.value(i));
        DBRadioGroup* group = addGroup(cell.table, cell.field, domain.buttons, domain.buttons);
        group->setButtonHeadings(headings);
        addEntry(group);
        return group;
    }
    DBEdit* box = addBox(cell.table, cell.field, 1, 26);
    box->setAlignment(Qt::AlignCenter);
    if (domain.kind == ScoreKind::Derived)
        box->setFocusPolicy(Qt::ClickFocus); // filled by a rule; a click still reaches it
    else
        addEntry(box);
    return box;
}

DBEdit* SubtestPage::addBox(int table, const QString& field, int limit, int width) {
    // Fields outside the item rows (totals, spans, counts) are found like the
    // record finds them: Table3 first.
    int owner = table;
    if (owner == 0)
        for (int t : {3, 1, 2})
            if (context_.source(t).fieldIndex(field) >= 0) {
                owner = t;
                break;
            }
    auto* box = new DBEdit(context_.source(owner), field);
    box->setObjectName(controlName(field));
    box->setLimit(limit);
    box->setFixedSize(width, 20);
    context_.wiring->attachBox(box);
    controls_.insert(field, box);
    return box;
}

DBEdit* SubtestPage::addComputedBox(const QString& field, int width) {
    DBEdit* box = addBox(3, field, 0, width);
    box->setFocusPolicy(Qt::ClickFocus); // written by "="; a click still reaches it
    return box;
}

void SubtestPage::addEntry(DBEdit* box) {
    entries_.append(box);
    connect(box, &DBEdit::filled, this, [this, box] { advanceFrom(box); });
}

void SubtestPage::addEntry(DBRadioGroup* group) {
    entries_.append(group);
    connect(group, &DBRadioGroup::answered, this, [this, group] { advanceFrom(group); });
}

DBRadioGroup* SubtestPage::addGroup(int table, const QString& field, const QStringList& captions,
                                    const QStringList& values) {
    auto* group = new DBRadioGroup(context_.source(table), field, captions, values);
    group->setObjectName(controlName(field));
    context_.wiring->attachGroup(group);
    controls_.insert(field, group);
    return group;
}

QAbstractButton* SubtestPage::addActionButton(const ScoreAction& action) {
    auto* button = new QPushButton(QStringLiteral("="));
    QString name = action.handler;
    name.chop(int(qstrlen("Click")));
    button->setObjectName(name);
    button->setFixedSize(28, 24);
    button->setAutoDefault(false);
    button->installEventFilter(this);
    context_.wiring->attachAction(button, action.handler);
    return button;
}

void SubtestPage::buildGroup(QVBoxLayout* column, const FieldGroup& group) {
    auto* box = new QGroupBox(group.title, column->parentWidget());
    auto* grid = new QGridLayout(box);
    int row = 0;
    if (group.timeLimit > 0)
        grid->addWidget(new QLabel(QStringLiteral("Časový limit %1 s").arg(group.timeLimit), box),
                        row++, 0, 1, 3);
    for (const GroupField& field : group.fields) {
        grid->addWidget(new QLabel(field.caption, box), row, 0);
        DBEdit* count =
            addBox(field.table, field.field, field.width, 14 + 10 * qMax(3, field.width));
        if (!firstField_)
            firstField_ = count;
        grid->addWidget(count, row, 1);
        if (field.maximum > 0)
            grid->addWidget(new QLabel(QStringLiteral("(maximum = %1)").arg(field.maximum), box),
                            row, 2);
        ++row;
    }
    for (const ScoreAction& action : group.actions)
        if (!action.writes.contains(subtest_.rawField))
            grid->addWidget(addActionButton(action), row++, 1);
    grid->setColumnStretch(3, 1);
    column->addWidget(box);
}

void SubtestPage::buildSummary(QVBoxLayout* panel) {
    panel->setContentsMargins(8, 12, 0, 8);
    panel->addWidget(headingLabel(QStringLiteral("Celkový hrubý skór"), this));
    auto* row = new QHBoxLayout;
    rawScore_ = addComputedBox(subtest_.rawField, 50);
    row->addWidget(rawScore_);
    QList<ScoreAction> actions(subtest_.actions.begin(), subtest_.actions.end());
    for (const FieldGroup& group : subtest_.groups)
        actions.append(QList<ScoreAction>(group.actions.begin(), group.actions.end()));
    for (const ScoreAction& action : actions)
        if (action.writes.contains(subtest_.rawField)) {
            QAbstractButton* button = addActionButton(action);
            summaryButtons_.append(button);
            row->addWidget(button);
        }
    row->addStretch();
    panel->addLayout(row);
    if (!subtest_.maximumCaption.isEmpty()) {
        auto* maximum = new QLabel(subtest_.maximumCaption, this);
        maximum->setObjectName(QStringLiteral("Maximum_%1").arg(subtest_.code));
        panel->addWidget(maximum);
    }
    if (!subtest_.notAdministeredCaption.isEmpty()) {
        notAdministered_ = new QCheckBox(subtest_.notAdministeredCaption, this);
        notAdministered_->setObjectName(QStringLiteral("CheckBox2"));
        context_.wiring->attachNotAdministered(notAdministered_);
        panel->addSpacing(16);
        panel->addWidget(notAdministered_);
    }
    panel->addStretch();
}

QWidget* SubtestPage::firstEntry() const {
    if (!entries_.isEmpty())
        return entries_.first();
    if (firstField_)
        return firstField_;
    return summaryButtons_.value(0);
}

void SubtestPage::focusFirstEntry() {
    focusEntry(firstEntry());
}

void SubtestPage::focusEntry(QWidget* entry) {
    if (!entry)
        return;
    entry->setFocus(Qt::TabFocusReason);
    if (auto* box = qobject_cast<DBEdit*>(entry))
        box->selectAll();
    if (scroll_->widget()->isAncestorOf(entry))
        scroll_->ensureWidgetVisible(entry, 0, 40);
}

void SubtestPage::advanceFrom(QWidget* entry) {
    // The next item in item order, chosen scores and options included; after
    // the last one the page's "=" button.
    const int at = entries_.indexOf(entry);
    if (at < 0)
        return;
    if (at + 1 < entries_.size())
        focusEntry(entries_.at(at + 1));
    else
        focusEntry(summaryButtons_.value(0));
}

bool SubtestPage::eventFilter(QObject* watched, QEvent* event) {
    // Enter and Space press "=" (Space also when its release goes elsewhere,
    // as it does once the focus has moved on).
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool presses =
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
    const Qt::KeyboardModifiers commands = key->modifiers() & ~Qt::KeypadModifier;
    if (!presses || commands != Qt::NoModifier)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat())
        pressByKeyboard(button);
    return true;
}

void SubtestPage::pressByKeyboard(QAbstractButton* button) {
    button->click();
    // A part total goes on to the next part; the raw score to the next page.
    const int at = entries_.indexOf(button);
    if (at >= 0)
        advanceFrom(button);
    else
        emit rawScoreEntered();
}

} // namespace iksa::app
