#include "RecordsFixture.h"
#include "records/Table.h"
#include "records/UserError.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <functional>

using namespace iksa;
using namespace iksa::test;

namespace {

void put16(QByteArray& b, int at, int value) {
    qToLittleEndian<quint16>(static_cast<quint16>(value), b.data() + at);
}

void put32(QByteArray& b, int at, int value) {
    qToLittleEndian<quint32>(static_cast<quint32>(value), b.data() + at);
}

int get16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

int descriptor(int field) {
    return 32 + 32 * field;
}

// A table of dBASE level 7: version byte 4 and 48-byte field descriptors.
QByteArray dbase7Table() {
    QByteArray b(68, '\0');
    b[0] = 0x04;
    put16(b, 8, 68 + 48 + 1);
    put16(b, 10, 1 + 6);
    QByteArray field(48, '\0');
    field.replace(0, 2, "ID");
    field[32] = 'N';
    field[33] = 6;
    b += field;
    b += '\r';
    return b;
}

struct DamageCase {
    const char* name;
    std::function<void(QByteArray&)> damage;
    const char* cause; // a fragment of the Czech cause
};

class DamagedFileTest : public ::testing::TestWithParam<DamageCase> {};

} // namespace

TEST_P(DamagedFileTest, OpenFailsNamingFileAndCauseAndLeavesFileAsItWas) {
    TempDir tmp;
    DataModule::createEmptyTables(tmp.dir());
    addTable3Rows(tmp.dir(), {QStringLiteral("Kos"), QStringLiteral("Dub")});
    const QString path = tmp.file(QStringLiteral("IKSA_HS_Vyp.DBF"));
    QByteArray bytes = fileBytes(path);
    GetParam().damage(bytes);
    writeBytes(path, bytes);

    Table t3(table3Schema());
    try {
        t3.open(tmp.dir());
        FAIL() << "a damaged table opened";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().cause)))
            << e.message().toStdString();
    }
    EXPECT_FALSE(t3.isOpen());
    EXPECT_EQ(fileBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFileTest,
    ::testing::Values(
        DamageCase{"EmptyFile", [](QByteArray& b) { b.clear(); }, "kratší než hlavička"},
        DamageCase{"TruncatedHeader", [](QByteArray& b) { b.truncate(20); }, "kratší než hlavička"},
        DamageCase{"TruncatedFieldDescriptors", [](QByteArray& b) { b.truncate(1000); },
                   "hlavička tabulky je poškozená"},
        DamageCase{"CountLargerThanFile", [](QByteArray& b) { put32(b, 4, 1000); },
                   "hlavička udává 1000 záznamů"},
        DamageCase{"TruncatedLastRecord", [](QByteArray& b) { b.chop(10); },
                   "soubor jich obsahuje jen 1"},
        DamageCase{"RecordLengthNotSumOfWidths",
                   [](QByteArray& b) { put16(b, 10, get16(b, 10) + 1); }, "délka záznamu"},
        DamageCase{"MissingDescriptorEnd", [](QByteArray& b) { b[get16(b, 8) - 1] = 'X'; }, "0x0D"},
        DamageCase{"UnknownFieldType", [](QByteArray& b) { b[descriptor(1) + 11] = 'D'; },
                   "typ „D“"},
        DamageCase{"BadDeletionFlag", [](QByteArray& b) { b[get16(b, 8)] = 'X'; },
                   "záznam č. 1 je poškozený"},
        DamageCase{"GarbageBytes",
                   [](QByteArray& b) {
                       QRandomGenerator random(7);
                       for (char& c : b)
                           c = static_cast<char>(random.bounded(256));
                       b[0] = 0x03; // past the version byte, into the garbage
                   },
                   "hlavička"},
        DamageCase{"DbaseLevel7", [](QByteArray& b) { b = dbase7Table(); }, "bajt verze 0x04"},
        DamageCase{"FoxProTable", [](QByteArray& b) { b[0] = 0x30; }, "bajt verze 0x30"},
        DamageCase{"ColumnOutOfOrder", [](QByteArray& b) { b.replace(descriptor(1), 5, "PRIJX"); },
                   "sloupec č. 2 má být „PRIJM“"},
        DamageCase{"ColumnOfWrongType", [](QByteArray& b) { b[descriptor(4) + 11] = 'C'; },
                   "sloupec „VEK“ má být číslo"},
        DamageCase{"TooFewColumns",
                   [](QByteArray& b) {
                       // Keep only the first 100 descriptors; the record shrinks with them.
                       const int keep = 40; // VP_SVS is the 41st column
                       int width = 1;
                       for (int i = 0; i < keep; ++i)
                           width += static_cast<unsigned char>(b[descriptor(i) + 16]);
                       b = b.left(descriptor(keep)) + '\r';
                       put16(b, 8, b.size());
                       put16(b, 10, width);
                       put32(b, 4, 0);
                   },
                   "chybí sloupec „VP_SVS“"}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return info.param.name; });
