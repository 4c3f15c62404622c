// iksa-cli protocol: record N evaluated, its pages written as PDF, Table3 stored.
#include "ProtocolFixture.h"

using namespace iksa;
using namespace iksa::test;

namespace {

class ProtocolCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli({"init", tables()}).exitCode, 0);
        QStringList add{"add", tables()};
        const QMap<QString, QString> texts = sampleExaminee();
        for (auto it = texts.begin(); it != texts.end(); ++it)
            add << it.key() + QLatin1Char('=') + it.value();
        ASSERT_EQ(runCli(add).exitCode, 0);
    }
    QString tables() const { return tmp.file(QStringLiteral("tabulky")); }
    QString stored(const QString& field) const { return storedText(tables(), 1, field); }
    TempDir tmp;
};

TEST_F(ProtocolCommand, WritesThePdfWithTheOptionsAndStoresTheRecord) {
    const QString pdf = tmp.file(QStringLiteral("protokol.pdf"));
    const ProcessRun result =
        runCli({"protocol", tables(), "1", pdf, "--basis", "3", "--level", "0.15", "--no-mean"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const PdfText text = readPdf(pdf);
    ASSERT_EQ(text.pageCount, 3);
    EXPECT_TRUE(hasWordAt(text, 2, QStringLiteral("0.15"), 5.3, 7.1 + 0.35));
    EXPECT_TRUE(hasWord(text, 2, QStringLiteral("IN"))); // "Tabulka  11 IN subtestů"
    EXPECT_FALSE(hasWord(text, 1, QStringLiteral("jedince")));
    EXPECT_FALSE(stored(QStringLiteral("VIQ_IQ_IS")).isEmpty());
    EXPECT_TRUE(hasWordAt(text, 1, stored(QStringLiteral("VIQ_IQ_IS")), 4.35, 3.2));
}

TEST_F(ProtocolCommand, RefusesBadOptionsAndUnknownRecords) {
    const QString pdf = tmp.file(QStringLiteral("x.pdf"));
    EXPECT_EQ(runCli({"protocol", tables(), "1", pdf, "--basis", "6"}).exitCode, 2);
    EXPECT_EQ(runCli({"protocol", tables(), "1", pdf, "--level", "0.1"}).exitCode, 2);
    EXPECT_EQ(runCli({"protocol", tables(), "1"}).exitCode, 2);
    const ProcessRun missing = runCli({"protocol", tables(), "2", pdf});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("neexistuje")));
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
