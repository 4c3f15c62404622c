#include "records/TableSchema.h"
#include "records/Windows1250.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace iksa;

TEST(TableSchema, ColumnCountsNamesAndTypes) {
    struct Expected {
        const TableSchema& schema;
        int columns;
        const char* last;
    };
    for (const Expected& e :
         {Expected{table1Schema(), 240, "O_6_20"}, Expected{table2Schema(), 252, "S_11_18"},
          Expected{table3Schema(), 155, "REZ_5"}}) {
        SCOPED_TRACE(e.schema.fileName.toStdString());
        EXPECT_EQ(e.schema.columns.size(), e.columns);
        EXPECT_EQ(e.schema.columns.first().name, QStringLiteral("ID"));
        EXPECT_EQ(e.schema.columns.last().name, QString::fromLatin1(e.last));
        QSet<QString> names;
        for (const ColumnDef& c : e.schema.columns) {
            EXPECT_LE(c.name.size(), 10) << c.name.toStdString(); // dBASE name limit
            names.insert(c.name);
        }
        EXPECT_EQ(names.size(), e.columns) << "duplicate column names";
    }
    // Spot checks of types and widths where the tables differ.
    const auto column = [](const TableSchema& s, const char* name) {
        return s.columns.at(s.columnIndex(QString::fromLatin1(name)));
    };
    EXPECT_EQ(column(table1Schema(), "ID").type, ColumnType::Float);
    EXPECT_EQ(column(table2Schema(), "ID").type, ColumnType::Int16);
    EXPECT_EQ(column(table1Schema(), "S_5_14").type, ColumnType::Text);
    EXPECT_EQ(column(table1Schema(), "S_5_14").width, 1);
    EXPECT_EQ(column(table3Schema(), "POZNAM").width, 120);
    EXPECT_EQ(column(table3Schema(), "CIQ_PER").width, 6);
    EXPECT_EQ(column(table3Schema(), "IRZ_IS_95").width, 9);
    EXPECT_EQ(table2Schema().columnIndex(QStringLiteral("S_8_PP7_2")) + 1,
              table2Schema().columnIndex(QStringLiteral("SP_8_1")));
    EXPECT_EQ(table3Schema().columnIndex(QStringLiteral("SP_13_7_3")) + 1,
              table3Schema().columnIndex(QStringLiteral("S_13_1")));
    EXPECT_EQ(table3Schema().columnIndex(QStringLiteral("hs_14_so")),
              table3Schema().columnIndex(QStringLiteral("HS_14_SO")));
}

TEST(Windows1250, CzechAndSlovakLettersRoundTrip) {
    const QString text =
        QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ĚŠČŘŽÝÁÍÉŮÚŇŤĎ ĺľŕô€„“–");
    bool ok = false;
    const QByteArray bytes = Windows1250::encode(text, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(bytes.size(), text.size());                  // one byte per character
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF8); // ř
    EXPECT_EQ(Windows1250::decode(bytes), text);

    // Every byte decodes and encodes back to itself, undefined ones included.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Windows1250::encode(Windows1250::decode(all), &ok), all);
    EXPECT_TRUE(ok);
}

TEST(Windows1250, CharacterWithoutFormIsReported) {
    for (const QString& text :
         {QStringLiteral("Ωmega"), QStringLiteral("a😀b"), QStringLiteral("ñ")}) {
        bool ok = true;
        QString bad;
        EXPECT_TRUE(Windows1250::encode(text, &ok, &bad).isEmpty());
        EXPECT_FALSE(ok);
        EXPECT_FALSE(bad.isEmpty());
        EXPECT_TRUE(text.contains(bad)) << bad.toStdString();
    }
}
