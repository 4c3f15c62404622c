// Our tables seen by independent dBASE readers and writers on Debian
// (python3-dbfread, python3-dbf), and iksa-cli used as a user would.
#include "RecordsFixture.h"
#include "records/Table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace iksa;
using namespace iksa::test;

namespace {

const QString python = QStringLiteral("/usr/bin/python3");

bool pythonHas(const char* module) {
    return runProgram(python,
                      {QStringLiteral("-c"), QStringLiteral("import ") + QLatin1String(module)})
               .exitCode == 0;
}

QJsonObject readWithDbfread(const QString& path) {
    const ProcessRun r =
        runProgram(python, {sourcePath(QStringLiteral("tests/records/dbf_read.py")), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

} // namespace

TEST(Interop, TablesFilledByIksaCliReadCorrectlyInDbfread) {
    if (!pythonHas("dbfread"))
        GTEST_SKIP() << "python3-dbfread is not installed";
    TempDir tmp;
    const QString dir = tmp.path();
    ASSERT_EQ(runCli({"init", dir}).exitCode, 0);
    const ProcessRun added = runCli({"add", dir, "PRIJM=Žluťoučký", "JMENO=Šárka", "VEK=42",
                                     "POZNAM=Příliš žluťoučký kůň úpěl ďábelské ódy"});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_EQ(added.out, QStringLiteral("1\n"));
    const ProcessRun set =
        runCli({"set", dir, "1", "S_1_1=1,5", "HS_14_SO=-1", "O_2_1=kůň", "S_6_1=2", "O_7_A=3"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();

    const QString today = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
    struct Expected {
        const TableSchema& schema;
        QJsonObject values;
    };
    const Expected tables[] = {
        {table3Schema(),
         {{"ID", 0},
          {"PRIJM", "Žluťoučký"},
          {"JMENO", "Šárka"},
          {"VEK", 42},
          {"DATUM", today},
          {"POZNAM", "Příliš žluťoučký kůň úpěl ďábelské ódy"},
          {"HS_14_SO", -1},
          {"HS_1_DO", QJsonValue()}}},
        {table1Schema(),
         {{"ID", 0.0},
          {"PRIJM", "Žluťoučký"},
          {"S_1_1", 1.5},
          {"O_2_1", "kůň"},
          {"S_1_2", QJsonValue()}}},
        {table2Schema(), {{"ID", 0}, {"PRIJM", "Žluťoučký"}, {"S_6_1", 2}, {"O_7_A", "3"}}},
    };
    for (const Expected& e : tables) {
        SCOPED_TRACE(e.schema.fileName.toStdString());
        const QJsonObject table = readWithDbfread(tmp.file(e.schema.fileName));
        EXPECT_EQ(table["encoding"].toString(), QStringLiteral("cp1250"));
        const QJsonArray fields = table["fields"].toArray();
        ASSERT_EQ(fields.size(), e.schema.columns.size());
        for (int i = 0; i < fields.size(); ++i) {
            const QJsonArray f = fields[i].toArray();
            const ColumnDef& c = e.schema.columns[i];
            EXPECT_EQ(f[0].toString(), c.name);
            EXPECT_EQ(f[1].toString(), c.type == ColumnType::Text ? "C" : "N")
                << c.name.toStdString();
            EXPECT_EQ(f[2].toInt(), c.width);
        }
        const QJsonArray records = table["records"].toArray();
        ASSERT_EQ(records.size(), 1);
        const QJsonObject row = records[0].toObject();
        for (auto it = e.values.begin(); it != e.values.end(); ++it)
            EXPECT_EQ(row[it.key()], it.value()) << it.key().toStdString();
    }
}

TEST(Interop, TableWrittenByPythonDbfOpensAndKeepsFurtherColumns) {
    if (!pythonHas("dbf") || !pythonHas("dbfread"))
        GTEST_SKIP() << "python3-dbf or python3-dbfread is not installed";
    TempDir tmp;
    QStringList columns;
    for (const ColumnDef& c : table3Schema().columns)
        columns.append(
            c.type == ColumnType::Text
                ? QStringLiteral("%1 C(%2)").arg(c.name).arg(c.width)
                : QStringLiteral("%1 N(%2,%3)").arg(c.name).arg(c.width).arg(c.decimals));
    columns.append(QStringLiteral("EXTRA C(12)")); // a column of the user's own
    const QString records = QStringLiteral(
        R"([{"ID": 0, "PRIJM": "Čermák", "VEK": 33, "EXTRA": "ponechat"},
            {"ID": 1, "PRIJM": "Šťastná", "HS_14_SO": -1, "EXTRA": "také"}])");
    const QString path = tmp.file(QStringLiteral("IKSA_HS_Vyp.dbf"));
    const ProcessRun written =
        runProgram(python, {sourcePath(QStringLiteral("tests/records/dbf_write.py")), path,
                            columns.join(QStringLiteral("; ")), records});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();

    Table t3(table3Schema());
    t3.open(tmp.dir());
    ASSERT_EQ(t3.recordCount(), 2);
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("Čermák"));
    EXPECT_EQ(t3.integer(QStringLiteral("VEK")), 33);
    EXPECT_EQ(t3.text(QStringLiteral("JMENO")), QString());
    EXPECT_EQ(t3.fieldIndex(QStringLiteral("EXTRA")), -1); // not one of ours
    t3.next();
    EXPECT_EQ(t3.text(QStringLiteral("PRIJM")), QStringLiteral("Šťastná"));
    EXPECT_EQ(t3.text(QStringLiteral("HS_14_SO")), QStringLiteral("-1"));
    t3.setText(QStringLiteral("VEK"), QStringLiteral("71"));
    t3.post();
    t3.insert();
    t3.setText(QStringLiteral("PRIJM"), QStringLiteral("Nový"));
    t3.post();
    t3.close();

    const QJsonArray rows = readWithDbfread(path)["records"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toObject()["EXTRA"], QJsonValue("ponechat"));
    EXPECT_EQ(rows[1].toObject()["EXTRA"], QJsonValue("také"));
    EXPECT_EQ(rows[1].toObject()["VEK"], QJsonValue(71));
    EXPECT_EQ(rows[1].toObject()["PRIJM"], QJsonValue("Šťastná"));
    EXPECT_EQ(rows[2].toObject()["PRIJM"], QJsonValue("Nový"));
    EXPECT_EQ(rows[2].toObject()["EXTRA"], QJsonValue(""));
}
