// iksa-cli protocol: record N evaluated, its pages written as PDF, Table3 stored.
#include "ProtocolFixture.h"
#include "records/DbfLayout.h"

#include <QFileInfo>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

using namespace iksa;
using namespace iksa::test;

namespace {

// Puts `text` into a numeric column of the first row as another program may
// have left it, past the conversions of iksa-cli set.
void overwriteStoredNumber(const QString& table, const QByteArray& field, const QByteArray& text) {
    const int fd = ::open(QFile::encodeName(table).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    const DbfLayout layout = readDbfLayout(fd, QFileInfo(table).size());
    for (const DbfField& column : layout.fields) {
        if (column.name != field)
            continue;
        const QByteArray padded = text.rightJustified(column.width, ' ');
        EXPECT_EQ(::pwrite(fd, padded.constData(), size_t(padded.size()),
                           layout.recordOffset(0) + column.offset),
                  padded.size());
    }
    ::close(fd);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

// Composing that stops (an age outside 16 … 100, an entry that is not a
// number) ends both commands with 1, the reason on stderr and no output;
// an earlier file of the same name stays as it was.
TEST_F(ProtocolCommand, AStoppedProtocolExitsWith1AndWritesNothing) {
    const QString pdf = tmp.file(QStringLiteral("protokol.pdf"));
    const QString png = tmp.file(QStringLiteral("strana"));
    {
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    const QString table3 = QDir(tables()).filePath(QStringLiteral("IKSA_HS_Vyp.DBF"));
    const struct {
        const char* name;
        std::function<void()> spoil;
        const char* reason;
    } cases[] = {
        {"age 12",
         [&] {
             ASSERT_EQ(runCli({"set", tables(), "1", "VEK=12"}).exitCode, 0);
         },
         "Není zadaný věk v intervalu 16..100 let!"},
        {"a dash for the longest span", [&] { overwriteStoredNumber(table3, "RAD_DOP_8", "-"); },
         "„-“ v poli RAD_DOP_8 není platné celé číslo."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        for (const QStringList& command : {QStringList{"protocol", tables(), "1", pdf},
                                           QStringList{"protocol-png", tables(), "1", png}}) {
            SCOPED_TRACE(command.first().toStdString());
            const ProcessRun result = runCli(command);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.reason)))
                << result.err.toStdString();
            EXPECT_EQ(result.out, QString());
        }
        EXPECT_EQ(fileBytes(pdf), QByteArray("earlier"));
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("protokol.pdf")});
        ASSERT_EQ(runCli({"set", tables(), "1", "VEK=34", "RAD_DOP_8=7"}).exitCode, 0);
    }
}

TEST_F(ProtocolCommand, OutputIsPrivateOrKeepsTheModeOfTheFileItReplaces) {
    const QString pdf = tmp.file(QStringLiteral("protokol.pdf"));
    ASSERT_EQ(runCli({"protocol", tables(), "1", pdf}).exitCode, 0);
    EXPECT_EQ(QFile::permissions(pdf),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    const QFileDevice::Permissions shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(pdf, shared));
    ASSERT_EQ(runCli({"protocol", tables(), "1", pdf}).exitCode, 0);
    EXPECT_EQ(QFile::permissions(pdf), shared);
    EXPECT_EQ(readPdf(pdf).pageCount, 3);

    const ProcessRun png =
        runCli({"protocol-png", tables(), "1", tmp.file(QStringLiteral("s")), "--dpi", "20"});
    ASSERT_EQ(png.exitCode, 0) << png.err.toStdString();
    EXPECT_EQ(png.out.count(QLatin1Char('\n')), 3);
    EXPECT_EQ(QFile::permissions(tmp.file(QStringLiteral("s-1.png"))),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

} // namespace
