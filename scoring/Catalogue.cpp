#include "Catalogue.h"

#include "records/UserError.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace iksa {

namespace {

[[noreturn]] void fail(const QString& what) {
    throw UserError(QStringLiteral("Katalog subtestů je poškozen: %1").arg(what));
}

QJsonObject parseObject(const QByteArray& json, const QString& name) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull() || !document.isObject())
        fail(QStringLiteral("%1: %2").arg(name, error.errorString()));
    return document.object();
}

// The item number of a key: "12" → 12, "1_2" → 1, "A" → 0.
int itemNumber(const QString& key) {
    static const QRegularExpression leadingNumber(QStringLiteral("^(\\d+)"));
    const QRegularExpressionMatch match = leadingNumber.match(key);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// Whether a selector such as "7", "1-5", "1_2" or "B-C" selects the item key.
bool selects(const QString& selector, const QString& key) {
    if (selector == key)
        return true;
    const QStringList bounds = selector.split(QLatin1Char('-'));
    if (bounds.size() != 2)
        return itemNumber(key) != 0 && !selector.contains(QLatin1Char('_')) &&
               selector.toInt() == itemNumber(key);
    const int number = itemNumber(key);
    if (number != 0)
        return number >= bounds[0].toInt() && number <= bounds[1].toInt();
    return key.size() == 1 && bounds[0].size() == 1 && bounds[1].size() == 1 &&
           key[0] >= bounds[0][0] && key[0] <= bounds[1][0];
}

// A property that is either one value for every item or an object of item
// selectors. An exact key beats a range. Returns undefined when nothing applies.
QJsonValue valueFor(const QJsonValue& property, const QString& key) {
    if (!property.isObject())
        return property;
    const QJsonObject byItem = property.toObject();
    if (byItem.contains(key))
        return byItem.value(key);
    for (auto it = byItem.begin(); it != byItem.end(); ++it)
        if (selects(it.key(), key))
            return it.value();
    return QJsonValue(QJsonValue::Undefined);
}

QStringList strings(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& entry : value.toArray())
        list.append(entry.toString());
    return list;
}

QStringList itemKeys(const QJsonValue& items, const QString& where) {
    if (items.isArray())
        return strings(items);
    const QStringList bounds = items.toString().split(QLatin1Char('-'));
    if (bounds.size() != 2)
        fail(QStringLiteral("%1: neplatný rozsah položek").arg(where));
    QStringList keys;
    for (int n = bounds[0].toInt(); n <= bounds[1].toInt(); ++n)
        keys.append(QString::number(n));
    return keys;
}

CellRole roleOf(const QString& name, const QString& where) {
    static const QHash<QString, CellRole> roles{
        {QStringLiteral("response"), CellRole::Response},
        {QStringLiteral("time"), CellRole::Time},
        {QStringLiteral("joins"), CellRole::Joins},
        {QStringLiteral("count"), CellRole::Count},
        {QStringLiteral("option"), CellRole::Option},
        {QStringLiteral("trial"), CellRole::Trial},
        {QStringLiteral("score"), CellRole::Score},
    };
    const auto it = roles.find(name);
    if (it == roles.end())
        fail(QStringLiteral("%1: neznámá role „%2“").arg(where, name));
    return *it;
}

ScoreDomain domainFor(const QJsonObject& json, const QString& key, const QString& where) {
    ScoreDomain domain;
    if (const QJsonValue typed = valueFor(json.value(QStringLiteral("typed")), key);
        typed.isDouble()) {
        domain.kind = ScoreKind::Typed;
        domain.maximum = typed.toInt();
    } else if (const QJsonValue derived = valueFor(json.value(QStringLiteral("derived")), key);
               derived.isDouble()) {
        domain.kind = ScoreKind::Derived;
        domain.maximum = derived.toInt();
    } else if (const QJsonValue chosen = valueFor(json.value(QStringLiteral("chosen")), key);
               chosen.isObject()) {
        const QJsonObject group = chosen.toObject();
        domain.kind = ScoreKind::Chosen;
        domain.buttons = strings(group.value(QStringLiteral("buttons")));
        domain.brackets = strings(group.value(QStringLiteral("brackets")));
        domain.headings = strings(group.value(QStringLiteral("headings")));
        for (QStringList* list : {&domain.brackets, &domain.headings})
            while (list->size() < domain.buttons.size())
                list->append(QString());
        const QJsonValue check = valueFor(json.value(QStringLiteral("sumCheck")), key);
        domain.sumCheck = check.toString() == QLatin1String("number") ? -1 : check.toInt(-2);
        if (domain.buttons.isEmpty() || domain.sumCheck == -2)
            fail(QStringLiteral("%1: volba bez tlačítek nebo kontroly součtu").arg(where));
        for (const QString& value : domain.buttons)
            domain.maximum = qMax(domain.maximum, value.toInt());
    } else {
        fail(QStringLiteral("%1: chybí obor skóru").arg(where));
    }
    return domain;
}

ItemContent contentFor(const QJsonObject& content) {
    ItemContent c;
    c.caption = content.value(QStringLiteral("caption")).toString();
    c.correctAnswer = content.value(QStringLiteral("correctAnswer")).toString();
    c.keyOption = content.value(QStringLiteral("keyOption")).toInt();
    c.trialSequences = strings(content.value(QStringLiteral("trialSequences")));
    c.trialAnswers = strings(content.value(QStringLiteral("trialAnswers")));
    c.correctOrder = content.value(QStringLiteral("correctOrder")).toString();
    c.acceptableOrder = content.value(QStringLiteral("acceptableOrder")).toString();
    return c;
}

ScoreRule ruleOf(const QString& name, const QString& handler) {
    static const QHash<QString, ScoreRule> rules{
        {QStringLiteral("sum"), ScoreRule::Sum},
        {QStringLiteral("partTotal"), ScoreRule::PartTotal},
        {QStringLiteral("sumOfParts"), ScoreRule::SumOfParts},
        {QStringLiteral("difference"), ScoreRule::Difference},
        {QStringLiteral("positiveDifference"), ScoreRule::PositiveDifference},
        {QStringLiteral("trialCount"), ScoreRule::TrialCount},
    };
    const auto it = rules.find(name);
    if (it == rules.end())
        fail(QStringLiteral("%1: neznámé pravidlo „%2“").arg(handler, name));
    return *it;
}

ScoreAction actionFrom(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    ScoreAction action{object.value(QStringLiteral("handler")).toString(),
                       strings(object.value(QStringLiteral("writes"))), ScoreRule::Sum};
    if (!action.handler.isEmpty())
        action.rule = ruleOf(object.value(QStringLiteral("rule")).toString(), action.handler);
    return action;
}

QVector<ScoreAction> actionsFrom(const QJsonValue& value) {
    QVector<ScoreAction> actions;
    for (const QJsonValue& action : value.toArray())
        actions.append(actionFrom(action));
    return actions;
}

Item itemFrom(const QJsonObject& sectionSpec, const QString& key, const Subtest& subtest,
              const QJsonObject& contentOfSubtest) {
    const QString where = QStringLiteral("%1 položka %2").arg(subtest.code, key);
    Item item;
    item.key = key;
    item.number = itemNumber(key);
    const bool firstTrial = !key.contains(QLatin1Char('_'));
    item.reverse = item.number >= 1 && item.number <= subtest.reverseItems;
    item.start = firstTrial && item.number != 0 && item.number == subtest.startItem;
    item.timeLimit = valueFor(sectionSpec.value(QStringLiteral("timeLimit")), key).toInt();
    item.multiplier = valueFor(sectionSpec.value(QStringLiteral("multiplier")), key).toString();
    item.content = contentFor(contentOfSubtest.value(key).toObject());

    for (const QJsonValue& cellValue : sectionSpec.value(QStringLiteral("cells")).toArray()) {
        const QJsonObject json = cellValue.toObject();
        ItemCell cell;
        cell.role = roleOf(json.value(QStringLiteral("role")).toString(), where);
        cell.field =
            json.value(QStringLiteral("field")).toString().replace(QStringLiteral("{n}"), key);
        cell.table = json.value(QStringLiteral("table")).toInt();
        cell.trial = json.value(QStringLiteral("trial")).toInt();
        cell.width = json.value(QStringLiteral("width")).toInt();
        cell.maximum = valueFor(json.value(QStringLiteral("maximum")), key).toInt();
        cell.heading = json.value(QStringLiteral("heading")).toString();
        cell.clickToggle = valueFor(json.value(QStringLiteral("clickToggle")), key).toBool();
        cell.firstTrialClears = json.value(QStringLiteral("firstTrialClears")).toBool();
        if (cell.table < 1 || cell.table > 3 || cell.field.isEmpty())
            fail(QStringLiteral("%1: pole bez tabulky").arg(where));
        if (cell.role == CellRole::Score || cell.role == CellRole::Trial)
            cell.domain = domainFor(json, key, where);
        if (cell.role == CellRole::Option) {
            cell.optionCodes = strings(valueFor(json.value(QStringLiteral("options")), key));
            cell.optionCaptions = strings(json.value(QStringLiteral("optionCaptions")));
            if (cell.optionCodes.size() != cell.optionCaptions.size())
                fail(QStringLiteral("%1: volby a jejich popisky nesouhlasí").arg(where));
        }
        item.cells.append(cell);
    }
    return item;
}

Section sectionFrom(const QJsonObject& json, const Subtest& subtest, const QJsonObject& content) {
    Section section;
    section.key = json.value(QStringLiteral("key")).toString();
    section.title = json.value(QStringLiteral("title")).toString();
    // Sections whose item keys repeat (the two parts of OPA) keep their
    // content under the section's key.
    const QJsonObject itemContent = !section.key.isEmpty() && content.contains(section.key)
                                        ? content.value(section.key).toObject()
                                        : content;
    for (const QString& key : itemKeys(json.value(QStringLiteral("items")), subtest.code))
        section.items.append(itemFrom(json, key, subtest, itemContent));
    const QJsonObject total = json.value(QStringLiteral("total")).toObject();
    section.totalField = total.value(QStringLiteral("field")).toString();
    section.totalMaximumCaption = total.value(QStringLiteral("maximumCaption")).toString();
    section.totalAction = actionFrom(total.value(QStringLiteral("action")));
    const QJsonObject span = json.value(QStringLiteral("span")).toObject();
    section.spanField = span.value(QStringLiteral("field")).toString();
    section.spanCaption = span.value(QStringLiteral("caption")).toString();
    return section;
}

FieldGroup groupFrom(const QJsonObject& json) {
    FieldGroup group;
    group.title = json.value(QStringLiteral("title")).toString();
    group.optional = json.value(QStringLiteral("optional")).toBool();
    group.timeLimit = json.value(QStringLiteral("timeLimit")).toInt();
    for (const QJsonValue& value : json.value(QStringLiteral("fields")).toArray()) {
        const QJsonObject field = value.toObject();
        GroupField f;
        f.role = roleOf(field.value(QStringLiteral("role")).toString(), group.title);
        f.field = field.value(QStringLiteral("field")).toString();
        f.table = field.value(QStringLiteral("table")).toInt(3);
        f.caption = field.value(QStringLiteral("caption")).toString();
        f.width = field.value(QStringLiteral("width")).toInt();
        f.maximum = field.value(QStringLiteral("maximum")).toInt();
        group.fields.append(f);
    }
    group.actions = actionsFrom(json.value(QStringLiteral("actions")));
    return group;
}

Subtest subtestFrom(const QJsonObject& json, const QJsonObject& contents) {
    Subtest s;
    s.number = json.value(QStringLiteral("number")).toInt();
    s.caption = json.value(QStringLiteral("caption")).toString();
    s.name = json.value(QStringLiteral("name")).toString();
    s.code = json.value(QStringLiteral("code")).toString();
    s.rawField = json.value(QStringLiteral("rawField")).toString();
    s.maximum = json.value(QStringLiteral("maximum")).toInt();
    s.maximumCaption = json.value(QStringLiteral("maximumCaption")).toString();
    s.startItem = json.value(QStringLiteral("startItem")).toInt();
    s.reverseItems = json.value(QStringLiteral("reverseItems")).toInt();
    s.scale = json.value(QStringLiteral("scale")).toString() == QLatin1String("verbal")
                  ? Scale::Verbal
                  : Scale::Performance;
    const QString role = json.value(QStringLiteral("role")).toString();
    s.role = role == QLatin1String("core")            ? SubtestRole::Core
             : role == QLatin1String("supplementary") ? SubtestRole::Supplementary
                                                      : SubtestRole::Optional;
    s.index = json.value(QStringLiteral("index")).toString();
    s.scaledField = json.value(QStringLiteral("scaledField")).toString();
    s.notAdministeredCaption = json.value(QStringLiteral("notAdministeredBox")).toString();

    const QJsonObject content = contents.value(s.code).toObject();
    s.note = content.value(QStringLiteral("note")).toString();
    for (const QJsonValue& value : json.value(QStringLiteral("sections")).toArray())
        s.sections.append(sectionFrom(value.toObject(), s, content));
    for (const QJsonValue& value : json.value(QStringLiteral("groups")).toArray())
        s.groups.append(groupFrom(value.toObject()));
    s.actions = actionsFrom(json.value(QStringLiteral("actions")));
    if (s.code.isEmpty() || s.rawField.isEmpty() || s.maximum <= 0 || s.scaledField.isEmpty())
        fail(QStringLiteral("subtest %1 je neúplný").arg(s.number));
    return s;
}

QByteArray readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 nelze číst").arg(path));
    return file.readAll();
}

} // namespace

QString qualifiedField(int table, const QString& field) {
    return QStringLiteral("%1:%2").arg(table).arg(field);
}

QString ItemCell::qualifiedField() const {
    return iksa::qualifiedField(table, field);
}

const ItemCell* Item::cell(CellRole role, int trial) const {
    for (const ItemCell& c : cells)
        if (c.role == role && c.trial == trial)
            return &c;
    return nullptr;
}

QVector<const Item*> Subtest::items() const {
    QVector<const Item*> list;
    for (const Section& section : sections)
        for (const Item& item : section.items)
            list.append(&item);
    return list;
}

const Section* Subtest::section(const QString& key) const {
    for (const Section& s : sections)
        if (s.key == key)
            return &s;
    return nullptr;
}

Catalogue Catalogue::fromJson(const QByteArray& subtests, const QByteArray& itemContent) {
    const QJsonObject structure = parseObject(subtests, QStringLiteral("subtests.json"));
    const QJsonObject content = parseObject(itemContent, QStringLiteral("item-content.json"));
    const QJsonObject contents = content.value(QStringLiteral("subtests")).toObject();

    Catalogue catalogue;
    catalogue.placeholderContent_ = content.value(QStringLiteral("placeholder")).toBool();
    for (const QJsonValue& value : structure.value(QStringLiteral("subtests")).toArray())
        catalogue.subtests_.append(subtestFrom(value.toObject(), contents));
    if (catalogue.subtests_.size() != 14)
        fail(QStringLiteral("očekáváno 14 subtestů, je jich %1").arg(catalogue.subtests_.size()));
    for (int i = 0; i < 14; ++i)
        if (catalogue.subtests_[i].number != i + 1)
            fail(QStringLiteral("subtesty nejsou v pořadí 1 … 14"));
    return catalogue;
}

const Catalogue& Catalogue::instance() {
    static const Catalogue catalogue =
        fromJson(readResource(QStringLiteral(":/iksa/catalogue/subtests.json")),
                 readResource(QStringLiteral(":/iksa/catalogue/item-content.json")));
    return catalogue;
}

const Subtest& Catalogue::subtest(int number) const {
    Q_ASSERT(number >= 1 && number <= subtests_.size());
    return subtests_[number - 1];
}

const Subtest* Catalogue::byCode(const QString& code) const {
    for (const Subtest& s : subtests_)
        if (s.code == code)
            return &s;
    return nullptr;
}

Catalogue::CellRef Catalogue::cellOf(const QString& field) const {
    for (const Subtest& s : subtests_)
        for (const Item* item : s.items())
            for (const ItemCell& cell : item->cells)
                if (cell.field.compare(field, Qt::CaseInsensitive) == 0)
                    return {&s, item, &cell};
    return {};
}

} // namespace iksa
