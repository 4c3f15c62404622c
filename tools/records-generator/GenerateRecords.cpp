// iksa-generate-records DIR COUNT [SEED]: appends COUNT synthetic examinees
// to the tables in DIR (creating empty tables first when there are none), for
// benchmarks and load tests. The model: a surname and a first name drawn from
// short lists of common Czech names (female forms for women), age 16–100,
// date of examination in 2018–2025, examiner one of three; item scores of
// subtests 1, 2, 4, 6 and 9 drawn with a chance of success that falls with
// the item number, and their sums as raw scores. The rows are the same as
// "přidat" + "potvrdit" would leave them (ID, surname copies), written
// through the table engine without syncing each row.
#include "records/DataModule.h"
#include "records/Table.h"
#include "records/TableFiles.h"
#include "records/UserError.h"

#include <QCoreApplication>
#include <QDate>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>

using namespace iksa;

namespace {

struct Name {
    const char* male;
    const char* female;
};

const Name surnames[] = {
    {"Novák", "Nováková"},       {"Svoboda", "Svobodová"},   {"Novotný", "Novotná"},
    {"Dvořák", "Dvořáková"},     {"Černý", "Černá"},         {"Procházka", "Procházková"},
    {"Kučera", "Kučerová"},      {"Veselý", "Veselá"},       {"Horák", "Horáková"},
    {"Němec", "Němcová"},        {"Pokorný", "Pokorná"},     {"Marek", "Marková"},
    {"Pospíšil", "Pospíšilová"}, {"Hájek", "Hájková"},       {"Jelínek", "Jelínková"},
    {"Král", "Králová"},         {"Růžička", "Růžičková"},   {"Beneš", "Benešová"},
    {"Fiala", "Fialová"},        {"Sedláček", "Sedláčková"}, {"Doležal", "Doležalová"},
    {"Zeman", "Zemanová"},       {"Kolář", "Kolářová"},      {"Navrátil", "Navrátilová"},
    {"Čermák", "Čermáková"},     {"Šťastný", "Šťastná"},     {"Kos", "Kosová"},
    {"Dub", "Dubová"},
};
const char* const maleNames[] = {"Jan", "Petr", "Jiří", "Tomáš", "Ondřej", "Lukáš", "Přemysl"};
const char* const femaleNames[] = {"Jana", "Marie", "Eva", "Hana", "Lucie", "Žaneta", "Šárka"};
const char* const examiners[] = {"Dr. Šimková", "Mgr. Kučera", "PhDr. Říha"};

struct Subtest {
    const char* scorePrefix; // item score fields PREFIX1 … PREFIXn
    int items;
    int maxScore; // per item
    const char* rawScore;
};
const Subtest subtests[] = {
    {"S_1_", 25, 1, "HS_1_DO"},  {"S_2_", 33, 2, "HS_2_SL"},  {"S_4_", 19, 2, "HS_4_POD"},
    {"S_6_", 20, 1, "HS_6_POC"}, {"S_9_", 28, 1, "HS_9_INF"},
};

template <typename T, std::size_t N> const T& pick(QRandomGenerator& random, const T (&list)[N]) {
    return list[random.bounded(static_cast<quint32>(N))];
}

class Generator {
public:
    Generator(const QDir& dir, quint32 seed)
        : random_(seed) {
        Table::OpenOptions options;
        options.lock = true;
        options.syncWrites = false;
        for (Table* t : {&t3_, &t2_, &t1_})
            t->open(dir, options);
        tables_ = {&t3_, &t1_, &t2_};
    }

    void addOne() {
        const int id = t3_.recordCount();
        for (Table* t : tables_)
            t->insert();
        const bool woman = random_.bounded(2) == 0;
        const Name& surname = pick(random_, surnames);
        const QString prijm = QString::fromUtf8(woman ? surname.female : surname.male);
        for (Table* t : tables_) {
            t->setText(QStringLiteral("ID"), QString::number(id));
            t->setText(QStringLiteral("PRIJM"), prijm);
        }
        t3_.setText(QStringLiteral("JMENO"), QString::fromUtf8(woman ? pick(random_, femaleNames)
                                                                     : pick(random_, maleNames)));
        t3_.setText(QStringLiteral("VEK"), QString::number(16 + random_.bounded(85)));
        const QDate date = QDate(2018, 1, 1).addDays(random_.bounded(8 * 365));
        t3_.setText(QStringLiteral("DATUM"), date.toString(QStringLiteral("d.M.yyyy")));
        t3_.setText(QStringLiteral("EXAMI"), QString::fromUtf8(pick(random_, examiners)));
        for (const Subtest& s : subtests) {
            Table& items =
                t1_.fieldIndex(QString::fromLatin1(s.scorePrefix) + "1") >= 0 ? t1_ : t2_;
            int sum = 0;
            for (int i = 1; i <= s.items; ++i) {
                // The chance of each point falls from 95 % at the first item to 15 %.
                const double chance = 0.95 - 0.8 * (i - 1) / s.items;
                int score = 0;
                for (int p = 0; p < s.maxScore; ++p)
                    score += random_.generateDouble() < chance ? 1 : 0;
                items.setText(QString::fromLatin1(s.scorePrefix) + QString::number(i),
                              QString::number(score));
                sum += score;
            }
            t3_.setText(QString::fromLatin1(s.rawScore), QString::number(sum));
        }
        for (Table* t : tables_)
            t->post();
    }

private:
    QRandomGenerator random_;
    Table t1_{table1Schema()};
    Table t2_{table2Schema()};
    Table t3_{table3Schema()};
    QList<Table*> tables_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    bool ok = false;
    const int count = args.value(1).toInt(&ok);
    if (args.size() < 2 || args.size() > 3 || !ok || count < 0) {
        err << "Použití: iksa-generate-records ADRESÁŘ POČET [SEMÍNKO]\n";
        return 2;
    }
    const quint32 seed = args.size() == 3 ? args[2].toUInt() : 1;
    try {
        const QDir dir(args[0]);
        if (!QDir().mkpath(args[0]))
            throw UserError(QStringLiteral("Adresář „%1“ nelze založit.").arg(args[0]));
        if (filesNamed(dir, table3Schema().fileName).isEmpty())
            DataModule::createEmptyTables(dir);
        Generator generator(dir, seed);
        for (int n = 0; n < count; ++n)
            generator.addOne();
    } catch (const UserError& e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
