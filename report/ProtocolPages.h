#pragma once

#include <QImage>
#include <QString>
#include <span>

namespace iksa {

class EvaluationOptions;
class EvaluationPage;
class ExamineeRecord;
class ReportCanvas;
class UserMessages;
struct NormSet;

// What the protocol is drawn from: the current record (Table3 and the entry
// texts of the main window, one record buffer), the evaluation page with its
// options, the norm set of the analyses, where messages go, and the two
// pictures of the report window.
struct ReportSources {
    ExamineeRecord& record;
    const EvaluationOptions& options;
    EvaluationPage& page;
    UserMessages& messages;
    const NormSet& norms;
    QImage logo;  // Image2, the banner at the top of every page
    QImage curve; // Image1, the normal curve of page 3
};

// A fixed text at a report point; the pages keep their captions in tables
// of these.
struct PlacedText {
    double x;
    double y;
    const char* text; // UTF-8
};

void writeTexts(ReportCanvas& canvas, std::span<const PlacedText> texts);

// The contents of the three pages, each after the common page start (frame,
// number, title, logo). drawPage3 returns false when the age check stopped
// the page: its message has been shown and nothing more may be drawn.
void drawPage1(ReportCanvas& canvas, const ReportSources& sources);
void drawPage2(ReportCanvas& canvas, const ReportSources& sources);
bool drawPage3(ReportCanvas& canvas, const ReportSources& sources);

// The value of a Table3 field as the protocol prints it: scores and sums
// as integers, nothing for a field left empty (not entered, not computed).
QString integerText(const ReportSources& sources, const QString& field);

} // namespace iksa
