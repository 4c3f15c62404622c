// Records with subtests not entered: an empty raw score gives no scaled
// score, no sum that includes it and no composite of such a sum.
#include "EvaluationFixture.h"
#include "evaluation/CompositeMembers.h"
#include "evaluation/MissingScores.h"
#include "evaluation/NormLookup.h"

using namespace iksa;
using namespace iksa::test;

namespace {

const Subtest& subtestOf(const QString& rawField) {
    for (const Subtest& subtest : Catalogue::instance().subtests())
        if (subtest.rawField == rawField)
            return subtest;
    ADD_FAILURE() << "no subtest has the raw field " << rawField.toStdString();
    return Catalogue::instance().subtest(1);
}

QStringList compositeFields(const CompositeInfo& info) {
    const QString code = QString::fromLatin1(info.code);
    return {QString::fromLatin1(info.sumField), code + "_IQ_IS", code + "_PER", code + "_IS_90",
            code + "_IS_95"};
}

class IncompleteRecord : public EvaluationFixture {
protected:
    // An examinee whose fourteen subtests all score 10, with some raw scores
    // left empty.
    void addScoringTenWithout(const QStringList& emptyRawFields) {
        QMap<QString, QString> texts = *recordScoring(ageWhereAllReach(10), 10);
        for (const QString& field : emptyRawFields)
            texts[field] = QString();
        addRecord(texts);
    }

    // The stored text of a field of the current record.
    QString stored(const QString& field) {
        return table3().storedText(table3().recNo(), table3().fieldIndex(field));
    }
};

TEST(CompositeMembers, EachCompositeHoldsItsSubtestsAndTheirCount) {
    const QMap<QString, QList<int>> members{
        {"VIQ", {2, 4, 6, 8, 9, 11}},
        {"PIQ", {1, 3, 5, 7, 10}},
        {"CIQ", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"IVP", {2, 4, 9}},
        {"IPU", {1, 5, 7}},
        {"IPP", {6, 8, 13}},
        {"IRZ", {3, 12}},
    };
    for (const CompositeInfo& info : compositeInfos()) {
        const QVector<int> subtests = compositeSubtests(info.composite);
        EXPECT_EQ(QList<int>(subtests.begin(), subtests.end()), members.value(info.code))
            << info.code;
        EXPECT_EQ(subtests.size(), info.scaledScores) << info.code;
        EXPECT_FALSE(entersComposite(14, info.composite)) << info.code;
    }
}

TEST(MissingScores, EmptyAndBlankTextsAreNotEnteredZeroAndMinusOneAre) {
    const std::vector<std::pair<QString, bool>> cases{{"", false},  {"  ", false}, {"0", true},
                                                      {"-1", true}, {"12", true},  {" 7", true}};
    for (const auto& [text, entered] : cases)
        EXPECT_EQ(rawScoreEntered(text), entered) << text.toStdString();
}

TEST_F(IncompleteRecord, OneSubtestEmptyInEachGroup) {
    struct Case {
        const char* group;
        QStringList empty;
        QStringList uncomputed; // composites
        QString message;        // after the raw-score messages; "" for none
    };
    const QList<Case> cases{
        {"verbal",
         {"HS_9_INF"},
         {"VIQ", "CIQ", "IVP"},
         "Nelze vypočítat VIQ, CIQ, IVP: chybí hrubý skór subtestu Informace."},
        {"verbal, no index",
         {"HS_11_POR"},
         {"VIQ", "CIQ"},
         "Nelze vypočítat VIQ, CIQ: chybí hrubý skór subtestu Porozumění."},
        {"performance",
         {"HS_7_MAT"},
         {"PIQ", "CIQ", "IPU"},
         "Nelze vypočítat PIQ, CIQ, IPU: chybí hrubý skór subtestu Matrice."},
        {"index only, performance",
         {"HS_12_HS"},
         {"IRZ"},
         "Nelze vypočítat IRZ: chybí hrubý skór subtestu Hledání symbolů."},
        {"index only, verbal",
         {"HS_13_RPC"},
         {"IPP"},
         "Nelze vypočítat IPP: chybí hrubý skór subtestu Řazení písmen a čísel."},
        {"Skládání objektů", {"HS_14_SO"}, {}, ""},
        {"one of each scale",
         {"HS_9_INF", "HS_7_MAT"},
         {"VIQ", "PIQ", "CIQ", "IVP", "IPU"},
         "Nelze vypočítat VIQ, PIQ, CIQ, IVP, IPU: chybí hrubý skór subtestů Matrice, "
         "Informace."},
    };
    const NormLookup lookup(norms());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        addScoringTenWithout(c.empty);
        ASSERT_TRUE(evaluate());

        // Each empty subtest 1 … 13 keeps its message; then the summary.
        QStringList expected;
        for (const Subtest& subtest : Catalogue::instance().subtests())
            if (subtest.number < 14 && c.empty.contains(subtest.rawField))
                expected.append(EvaluationRun::rawScoreMessage(subtest.number));
        if (!c.message.isEmpty())
            expected.append(c.message);
        EXPECT_EQ(messages.shown, expected);

        for (const Subtest& subtest : Catalogue::instance().subtests()) {
            const bool empty = c.empty.contains(subtest.rawField);
            EXPECT_EQ(table3().text(subtest.rawField).isEmpty(), empty);
            EXPECT_EQ(table3().text(subtest.scaledField), empty ? QString() : QStringLiteral("10"))
                << subtest.code.toStdString();
            EXPECT_EQ(page.referenceText(subtest.number).isEmpty(), empty)
                << subtest.code.toStdString();
        }
        for (const CompositeInfo& info : compositeInfos()) {
            const QStringList fields = compositeFields(info);
            if (c.uncomputed.contains(info.code)) {
                for (const QString& field : fields)
                    EXPECT_EQ(table3().text(field), QString()) << field.toStdString();
                continue;
            }
            const int sum = 10 * info.scaledScores;
            const CompositeRow row = *lookup.Prevod_SVS(info.composite, sum);
            EXPECT_EQ(table3().text(fields[0]), QString::number(sum)) << info.code;
            EXPECT_EQ(table3().text(fields[1]), QString::number(row.score)) << info.code;
            EXPECT_EQ(table3().text(fields[2]), row.percentile) << info.code;
            EXPECT_EQ(table3().text(fields[4]), row.ci95) << info.code;
        }

        // An empty SO is neither administered-and-scored nor "not administered".
        EXPECT_FALSE(record.soNotAdministered());
        EXPECT_FALSE(record.soCellsHidden());

        // The means leave the empty subtests out: all fourteen cells are marked.
        EXPECT_EQ(page.meanPanel().totalCount, QString::number(14 - c.empty.size()));
        EXPECT_EQ(page.meanPanel().overallMean, QStringLiteral("10.00"));

        // Stored, a subtest never given is still empty, not a raw score of 0.
        record.press(NavigatorButton::Post);
        for (const QString& field : c.empty)
            EXPECT_EQ(stored(field), QString()) << field.toStdString();
        EXPECT_EQ(stored(subtestOf(c.empty.first()).scaledField), QString());
    }
}

TEST_F(IncompleteRecord, AllEmptyComputesNothingAndSaysWhatIsMissing) {
    addRecord({{"VEK", "30"}});
    ASSERT_TRUE(evaluate());

    QStringList expected;
    QStringList names;
    for (int subtest = 1; subtest <= 13; ++subtest) {
        expected.append(EvaluationRun::rawScoreMessage(subtest));
        names.append(Catalogue::instance().subtest(subtest).name);
    }
    expected.append(
        "Nelze vypočítat VIQ, PIQ, CIQ, IVP, IPU, IPP, IRZ: chybí hrubý skór subtestů " +
        names.join(", ") + ".");
    EXPECT_EQ(messages.shown, expected);
    EXPECT_TRUE(expected.last().contains("Doplňování obrázků, Slovník, Symboly, Podobnosti"));

    for (const Subtest& subtest : Catalogue::instance().subtests()) {
        EXPECT_EQ(record.text(subtest.rawField), QString());
        EXPECT_EQ(record.text(subtest.scaledField), QString());
        EXPECT_EQ(page.referenceText(subtest.number), QString());
    }
    for (const CompositeInfo& info : compositeInfos())
        for (const QString& field : compositeFields(info))
            EXPECT_EQ(table3().text(field), QString()) << field.toStdString();

    // No subtest in any group: counts and sums of nothing, no mean.
    const EvaluationPage::MeanPanel& panel = page.meanPanel();
    EXPECT_EQ(panel.totalCount, QStringLiteral("0"));
    EXPECT_EQ(panel.totalSum, QStringLiteral("0"));
    EXPECT_EQ(panel.verbalMean, QString());
    EXPECT_EQ(panel.performanceMean, QString());
    EXPECT_EQ(panel.overallMean, QString());
    EXPECT_FALSE(page.means().verbal || page.means().performance || page.means().overall);

    record.press(NavigatorButton::Post);
    EXPECT_EQ(stored("HS_1_DO"), QString());
    EXPECT_EQ(stored("CIQ_IQ_IS"), QString());
}

TEST_F(IncompleteRecord, TypedZeroIsARealScoreAndAnEmptyOneIsNot) {
    QMap<QString, QString> texts = *recordScoring(ageWhereAllReach(10), 10);
    texts[QStringLiteral("HS_9_INF")] = QStringLiteral("0");
    texts[QStringLiteral("HS_14_SO")] = QStringLiteral("0");
    addRecord(texts);
    ASSERT_TRUE(evaluate());
    // The message of the check, and nothing missing.
    EXPECT_EQ(messages.shown, QStringList{EvaluationRun::rawScoreMessage(9)});
    EXPECT_EQ(text("HS_9_INF"), QStringLiteral("0"));
    EXPECT_EQ(text("VER_INF"), QStringLiteral("1"));
    EXPECT_EQ(text("VER_SVS"), QStringLiteral("51"));
    EXPECT_FALSE(text("VIQ_IQ_IS").isEmpty());
    EXPECT_FALSE(text("PER_SO").isEmpty());
    EXPECT_EQ(page.meanPanel().totalCount, QStringLiteral("14"));

    // Cleared again, the same subtest is missing and the results go with it.
    record.setText(QStringLiteral("HS_9_INF"), QString());
    ASSERT_TRUE(evaluate());
    EXPECT_EQ(text("VER_INF"), QString());
    EXPECT_EQ(text("VER_SVS"), QString());
    EXPECT_EQ(text("VIQ_IQ_IS"), QString());
    EXPECT_EQ(text("PIQ_IQ_IS"),
              QString::number(NormLookup(norms()).Prevod_SVS(Composite::PIQ, 50)->score));
    EXPECT_EQ(page.meanPanel().totalCount, QStringLiteral("13"));
}

TEST_F(IncompleteRecord, MissingScoresOfTheRecordLeaveOutANotAdministeredSo) {
    addRecord({{"VEK", "30"}, {"HS_1_DO", "5"}, {"HS_14_SO", "-1"}});
    const MissingScores missing = missingScores(record);
    EXPECT_EQ(missing.subtests, (QVector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(missing.composites.size(), 7);
    EXPECT_FALSE(missing.missesSubtest(14));

    record.setText(QStringLiteral("HS_14_SO"), QString());
    EXPECT_TRUE(missingScores(record).missesSubtest(14));
    EXPECT_EQ(missingSubtestNames(missingScores(record)).last(),
              QStringLiteral("Skládání objektů"));
}

} // namespace
