#pragma once

#include "norms/NormTypes.h"

#include <QString>
#include <QStringList>
#include <array>

namespace iksa {

class ExamineeRecord;
class UserMessages;
struct NormSet;

// The cumulative-percentage lists of the digit span for one age band
// (SpanCumulative, SpanDifferenceCumulative). An age below the bands uses
// the first band, an age above them the last.
class DigitSpanLists {
public:
    DigitSpanLists(const NormSet& norms, int age);

    int band() const { return band_; }

    // The entry of a longest span 0 … 9 forward (D) or backward (P); "-"
    // for a span outside 0 … 9, which the lists do not hold.
    QString Zapis_KUM_proc_D(int span) const;
    QString Zapis_KUM_proc_P(int span) const;
    // The entry of a difference forward − backward of −6 … 7; "-" outside.
    QString Zapis_KUM_proc_ROZ(int difference) const;

private:
    int band_ = 1;
    QStringList forward_;    // spans 9 … 0
    QStringList backward_;   // spans 9 … 0
    QStringList difference_; // differences 7 … −6
};

// The digit-span rows of page 3.
struct DigitSpanRows {
    QString forward;              // RAD_DOP_8 as it stood, printed in rows 10 and 12
    QString backward;             // RAD_DOZ_8 as it stood, printed in rows 11 and 12
    QString difference;           // row 12: forward − backward
    QString forwardCumulative;    // row 10
    QString backwardCumulative;   // row 11
    QString differenceCumulative; // row 12
};

// The digit-span analysis of the current record: an empty span entry shows
// "Chybná hodnota max  řady  cisel dopredu" and becomes "0"; a text that is
// not a whole number stops it with UserError.
DigitSpanRows analyseDigitSpan(ExamineeRecord& record, UserMessages& messages,
                               const NormSet& norms);

// Zapis_KUMUL_roz: the cumulative percent of an optional digit-symbol score
// by the thresholds t1, t2, t5, t10, t25, t50 of its procedure; where two
// thresholds are equal the earlier condition decides.
QString Zapis_KUMUL_roz(int score, const SymbolThresholds& thresholds);

// One optional digit-symbol procedure of page 2.
struct SymbolOptionRow {
    QString field;      // PAR_3, VOL_VYB_3, C_HS_OP_3
    QString raw;        // the entry's text as it stood
    QString cumulative; // Zapis_KUMUL_roz
};

// The three procedures of the current record, checked in order: an empty
// entry shows its message and becomes "0"; a text that is not a whole
// number stops the analysis with UserError. The thresholds are those of the
// age's band (first band below it, last above it).
std::array<SymbolOptionRow, 3> analyseSymbolOptions(ExamineeRecord& record, UserMessages& messages,
                                                    const NormSet& norms);

// The messages of the empty-entry checks.
QString emptySpanMessage();
QString emptySymbolMessage(SymbolProcedure procedure);

} // namespace iksa
