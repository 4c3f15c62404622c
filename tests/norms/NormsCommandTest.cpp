#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace iksa;

namespace {

// The data lines of a shipped file, the first `spaced` tabs of each written as blanks.
QStringList dataLines(const QString& name, int spaced) {
    QFile file(test::sourcePath(QStringLiteral("norms/data/") + name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot read " << name.toStdString();
    QStringList lines;
    for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        for (int i = 0; i < spaced; ++i)
            line[line.indexOf(QLatin1Char('\t'))] = QLatin1Char(' ');
        lines.append(line);
    }
    return lines;
}

QStringList outputLines(const test::ProcessRun& result) {
    return result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(NormsCommand, CheckPassesOnTheBuiltInSet) {
    const test::ProcessRun result = test::runCli({"norms", "check"});
    EXPECT_EQ(result.exitCode, 0) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("Složené skóry: 601 řádků")));
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Bez chyb.\n")));
}

TEST(NormsCommand, CheckReportsABrokenReplacementSet) {
    test::TempDir dir;
    const QDir source(test::sourcePath(QStringLiteral("norms/data")));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), dir.file(name)));
    QFile::remove(dir.file(QStringLiteral("symbol-option-thresholds.tsv")));
    const test::ProcessRun result = test::runCli({"norms", "check", dir.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(
        result.out.contains(QStringLiteral("symbol-option-thresholds.tsv: soubor nelze otevřít")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("Chyb: 40"))) << result.out.toStdString();
}

TEST(NormsCommand, ListingsMatchTheDataFiles) {
    const test::ProcessRun scaled = test::runCli({"norms", "scaled"});
    EXPECT_EQ(scaled.exitCode, 0);
    EXPECT_EQ(outputLines(scaled), dataLines(QStringLiteral("scaled.tsv"), 4));
    const test::ProcessRun composite = test::runCli({"norms", "composite"});
    EXPECT_EQ(composite.exitCode, 0);
    const QStringList lines = outputLines(composite);
    EXPECT_EQ(lines, dataLines(QStringLiteral("composite.tsv"), 2));
    EXPECT_TRUE(lines.contains(QStringLiteral("VIQ 6 45\t<0,1\t42 - 56\t40 - 57")));
    EXPECT_TRUE(lines.contains(QStringLiteral("IRZ 20 100\t50\t91 - 109\t89 - 111")));
}

TEST(NormsCommand, UnknownActionIsAUsageError) {
    const test::ProcessRun result = test::runCli({"norms", "tables"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("norms check [DIR] | scaled | composite")));
}

} // namespace
