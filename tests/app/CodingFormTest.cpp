#include "CodingForm.h"

#include "TestSupport.h"

#include <QPdfDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace iksa::test {
namespace {

TEST(CodingForm, IsATwoPageA4FormWithTitleIdentificationAndSixtyRows) {
    TempDir tmp;
    const QString path = tmp.file("Iksa_kodovani.pdf");
    ASSERT_TRUE(tools::writeCodingForm(path));

    QPdfDocument document;
    ASSERT_EQ(document.load(path), QPdfDocument::Error::None);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_NEAR(document.pagePointSize(0).width(), 595, 1);
    EXPECT_NEAR(document.pagePointSize(0).height(), 842, 1);

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_EQ(text.count("Hledání symbolů"), 2);
    EXPECT_EQ(text.count("záznamový arch"), 2);
    for (const QString line : {"Jméno a příjmení:", "Věk:", "Datum vyšetření:", "Examinátor:", "1.",
                               "30.", "31.", "60.", "ANO", "NE"})
        EXPECT_TRUE(text.contains(line)) << line.toStdString();
}

TEST(CodingForm, AnUnwritablePathFails) {
    EXPECT_FALSE(tools::writeCodingForm("/nonexistent-directory/Iksa_kodovani.pdf"));
}

} // namespace
} // namespace iksa::test
