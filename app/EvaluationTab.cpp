#include "EvaluationTab.h"

#include "Guard.h"
#include "controls/DBEdit.h"
#include "controls/DBLabel.h"
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/EvaluationRun.h"
#include "records/ExamineeRecord.h"
#include "scoring/Catalogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace iksa::app {

namespace {

constexpr int cellWidth = 40;
constexpr int cellHeight = 19;

// Row captions of the subtest grid, in catalogue order.
const QStringList& rowCaptions() {
    static const QStringList captions{QStringLiteral("Doplňování obrázků"),
                                      QStringLiteral("Slovník"),
                                      QStringLiteral("Symboly - kódování"),
                                      QStringLiteral("Podobnosti"),
                                      QStringLiteral("Kostky"),
                                      QStringLiteral("Počty"),
                                      QStringLiteral("Matrice"),
                                      QStringLiteral("Opakování čísel"),
                                      QStringLiteral("Informace"),
                                      QStringLiteral("Řazení obrázků"),
                                      QStringLiteral("Porozumění"),
                                      QStringLiteral("(Hledání symbolů)"),
                                      QStringLiteral("(Řazení písmen a čísel)"),
                                      QStringLiteral("(Skládání objektů)")};
    return captions;
}

const QStringList indexColumns{QStringLiteral("VP"), QStringLiteral("PU"), QStringLiteral("PP"),
                               QStringLiteral("RZ")};

// The names of the scaled-score cells of "Verb." and "Perf.", in the order of
// EvaluationOptions::markedFields(): DBEdit481, then DBEdit497 … DBEdit509.
QString scaledCellName(int position) {
    return QStringLiteral("DBEdit%1").arg(position == 0 ? 481 : 496 + position);
}

QLabel* caption(const QString& text, QWidget* parent, bool bold = false) {
    auto* label = new QLabel(text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLabel* greyCell(QWidget* parent) {
    auto* cell = new QLabel(parent);
    cell->setFixedSize(cellWidth, cellHeight);
    cell->setFrameShape(QFrame::Panel);
    cell->setFrameShadow(QFrame::Sunken);
    cell->setAutoFillBackground(true);
    QPalette grey = cell->palette();
    grey.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    cell->setPalette(grey);
    cell->setProperty("grey", true);
    return cell;
}

// A sunken white panel with its text centred: the cells of texts that are
// shown, never typed.
void makeWhitePanel(QLabel* cell) {
    cell->setFrameShape(QFrame::Panel);
    cell->setFrameShadow(QFrame::Sunken);
    cell->setAlignment(Qt::AlignCenter);
    cell->setAutoFillBackground(true);
    QPalette white = cell->palette();
    white.setColor(QPalette::Window, Qt::white);
    cell->setPalette(white);
}

QLabel* textCell(const QString& name, QWidget* parent) {
    auto* cell = new QLabel(parent);
    cell->setObjectName(name);
    cell->setFixedSize(cellWidth + 14, cellHeight);
    makeWhitePanel(cell);
    return cell;
}

} // namespace

EvaluationTab::EvaluationTab(DataSource& table3, ExamineeRecord& record, EvaluationOptions& options,
                             EvaluationPage& page, UserMessages& messages, QWidget* parent)
    : QWidget(parent)
    , record_(record)
    , options_(options)
    , page_(page)
    , messages_(messages) {
    auto* left = new QVBoxLayout;
    left->addWidget(buildGrid(table3));
    left->addSpacing(4);
    left->addWidget(buildComposites(table3));
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(buildOptions());
    right->addWidget(buildMeanPanel());
    auto* evaluate = new QPushButton(QStringLiteral("Vyhodnotit"), this);
    evaluate->setObjectName(QStringLiteral("Button2"));
    QFont bold = evaluate->font();
    bold.setBold(true);
    evaluate->setFont(bold);
    preview_ = new QPushButton(QStringLiteral("Preview"), this);
    preview_->setObjectName(QStringLiteral("Button3"));
    print_ = new QPushButton(QStringLiteral("Tisk"), this);
    print_->setObjectName(QStringLiteral("Button4"));
    for (QPushButton* button : {evaluate, preview_, print_}) {
        button->setAutoDefault(false);
        button->setMinimumHeight(28);
    }
    connect(evaluate, &QPushButton::clicked, this, &EvaluationTab::Button2Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(evaluate);
    buttons->addWidget(preview_);
    buttons->addWidget(print_);
    right->addLayout(buttons);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(left, 1);
    layout->addSpacing(12);
    auto* rightHost = new QWidget(this);
    rightHost->setLayout(right);
    right->setContentsMargins(0, 0, 0, 0);
    rightHost->setFixedWidth(350);
    layout->addWidget(rightHost);

    connect(&options_, &EvaluationOptions::changed, this, &EvaluationTab::showMarks);
    connect(&page_, &EvaluationPage::changed, this, &EvaluationTab::showPageTexts);
    connect(&record_, &ExamineeRecord::soCellsHiddenChanged, this, &EvaluationTab::showSoCells);
    showMarks();
    showPageTexts();
    showSoCells(record_.soCellsHidden());
}

DBEdit* EvaluationTab::resultCell(DataSource& table3, const QString& field, const QString& name) {
    auto* cell = new DBEdit(table3, field, this);
    cell->setObjectName(name);
    cell->setResultCell(true);
    cell->setFixedSize(cellWidth, cellHeight);
    cell->setAlignment(Qt::AlignCenter);
    return cell;
}

QWidget* EvaluationTab::buildGrid(DataSource& table3) {
    auto* host = new QWidget(this);
    host->setObjectName(QStringLiteral("SubtestGrid"));
    auto* grid = new QGridLayout(host);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);

    const QStringList headings{
        QStringLiteral("Hrubé skóry"), QStringLiteral("Verb."),
        QStringLiteral("Perf."),       QStringLiteral("VP"),
        QStringLiteral("PU"),          QStringLiteral("PP"),
        QStringLiteral("RZ"),          QStringLiteral("Vážený skór  ref. skupiny")};
    for (int c = 0; c < headings.size(); ++c) {
        QLabel* heading = caption(headings[c], host, true);
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignCenter);
        heading->setMaximumWidth(c == headings.size() - 1 ? 90 : 64);
        if (c == headings.size() - 1)
            heading->setMinimumWidth(90); // two lines: "Vážený skór" over "ref. skupiny"
        heading->setMinimumHeight(3 * heading->fontMetrics().height() + 2);
        grid->addWidget(heading, 0, c + 1, Qt::AlignBottom | Qt::AlignHCenter);
    }

    const QStringList marked = EvaluationOptions::markedFields();
    const Catalogue& catalogue = Catalogue::instance();
    for (const Subtest& subtest : catalogue.subtests()) {
        const int row = subtest.number;
        grid->addWidget(caption(rowCaptions().value(row - 1), host), row, 0);
        DBEdit* raw =
            resultCell(table3, subtest.rawField, QStringLiteral("DBEdit%1").arg(465 + row));
        rawScores_.append(raw);
        grid->addWidget(raw, row, 1);

        const bool verbal = subtest.scale == Scale::Verbal;
        const QString name = scaledCellName(int(marked.indexOf(subtest.scaledField)));
        DBEdit* scaled = resultCell(table3, subtest.scaledField, name);
        scaledCells_.insert(subtest.scaledField, scaled);
        grid->addWidget(scaled, row, verbal ? 2 : 3);
        grid->addWidget(greyCell(host), row, verbal ? 3 : 2);
        for (int i = 0; i < indexColumns.size(); ++i) {
            QWidget* cell =
                subtest.index == indexColumns[i]
                    ? resultCell(table3, subtest.scaledField,
                                 QStringLiteral("%1_%2").arg(indexColumns[i], subtest.scaledField))
                    : static_cast<QWidget*>(greyCell(host));
            grid->addWidget(cell, row, 4 + i);
        }
        QLabel* reference = textCell(QStringLiteral("StaticText%1").arg(44 + row), host);
        referenceTexts_.append(reference);
        grid->addWidget(reference, row, 8);
    }

    const int sumRow = int(catalogue.subtests().size()) + 1;
    grid->addWidget(caption(QStringLiteral("Součet vážených skorů"), host, true), sumRow, 0);
    const QStringList sums{QStringLiteral("VER_SVS"), QStringLiteral("PER_SVS"),
                           QStringLiteral("VP_SVS"),  QStringLiteral("PU_SVS"),
                           QStringLiteral("PP_SVS"),  QStringLiteral("RZ_SVS")};
    for (int i = 0; i < sums.size(); ++i)
        grid->addWidget(resultCell(table3, sums[i], sums[i]), sumRow, 2 + i);

    auto* total = new QHBoxLayout;
    total->addWidget(caption(QStringLiteral("Celkový vážený skór (verb. + perf.)"), host, true));
    total->addWidget(resultCell(table3, QStringLiteral("CIQ_SVS"), QStringLiteral("CIQ_SVS")));
    total->addStretch();
    grid->addLayout(total, sumRow + 1, 0, 1, 9);
    grid->setColumnStretch(9, 1);
    return host;
}

QWidget* EvaluationTab::buildComposites(DataSource& table3) {
    auto* box = new QGroupBox(QStringLiteral("SKÓRY IQ/INDEXOVÉ SKÓRY"), this);
    box->setObjectName(QStringLiteral("CompositeBlock"));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    const QStringList composites{
        QStringLiteral("VIQ"), QStringLiteral("PIQ"), QStringLiteral("CIQ"), QStringLiteral("IVP"),
        QStringLiteral("IPU"), QStringLiteral("IPP"), QStringLiteral("IRZ")};
    const QStringList sums{QStringLiteral("VER_SVS"), QStringLiteral("PER_SVS"),
                           QStringLiteral("CIQ_SVS"), QStringLiteral("VP_SVS"),
                           QStringLiteral("PU_SVS"),  QStringLiteral("PP_SVS"),
                           QStringLiteral("RZ_SVS")};
    const QStringList rows{QStringLiteral("Součty vážených skórů"),
                           QStringLiteral("Skóry IQ/indexové skóry"), QStringLiteral("Percentily"),
                           QStringLiteral("Interval spolehlivosti 90%"),
                           QStringLiteral("Interval spolehlivosti 95%")};
    const QStringList endings{QString(), QStringLiteral("_IQ_IS"), QStringLiteral("_PER"),
                              QStringLiteral("_IS_90"), QStringLiteral("_IS_95")};
    for (int c = 0; c < composites.size(); ++c)
        grid->addWidget(caption(composites[c], box, true), 0, c + 1, Qt::AlignCenter);
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(caption(rows[r], box), r + 1, 0);
        for (int c = 0; c < composites.size(); ++c) {
            const QString field = r == 0 ? sums[c] : composites[c] + endings[r];
            const QString name = r == 0 ? QStringLiteral("Composite_%1").arg(field) : field;
            // Display-only texts of the norm tables: labels bound to the fields.
            auto* cell = new DBLabel(table3, field, box);
            cell->setObjectName(name);
            cell->setFixedSize(r >= 3 ? 58 : cellWidth + 6, cellHeight);
            makeWhitePanel(cell);
            grid->addWidget(cell, r + 1, c + 1);
        }
    }
    grid->setColumnStretch(composites.size() + 1, 1);
    return box;
}

QWidget* EvaluationTab::buildOptions() {
    auto* host = new QWidget(this);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* levels = new QGroupBox(QStringLiteral("Hladina významnosti"), host);
    levels->setObjectName(QStringLiteral("RadioGroup1"));
    significance_ = new QButtonGroup(levels);
    auto* levelRow = new QHBoxLayout(levels);
    const QStringList levelCaptions{QStringLiteral("0.05"), QStringLiteral("0.15")};
    for (int i = 0; i < levelCaptions.size(); ++i) {
        auto* button = new QRadioButton(levelCaptions[i], levels);
        button->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        significance_->addButton(button, i);
        levelRow->addWidget(button);
    }
    levelRow->addStretch();
    connect(significance_, &QButtonGroup::idClicked, this,
            [this](int item) { options_.RadioGroup1Click(item); });

    auto* bases =
        new QGroupBox(QStringLiteral("Podíl subtestů na IQ skórech a indexových skórech"), host);
    bases->setObjectName(QStringLiteral("RadioGroup2"));
    meanBasis_ = new QButtonGroup(bases);
    auto* baseColumn = new QVBoxLayout(bases);
    baseColumn->setSpacing(1);
    const QStringList baseCaptions = EvaluationOptions::meanBasisCaptions();
    for (int i = 0; i < baseCaptions.size(); ++i) {
        auto* button = new QRadioButton(baseCaptions[i], bases);
        button->setObjectName(QStringLiteral("RadioGroup2_%1").arg(i));
        meanBasis_->addButton(button, i);
        baseColumn->addWidget(button);
    }
    connect(meanBasis_, &QButtonGroup::idClicked, this,
            [this](int item) { options_.RadioGroup2Click(item); });

    showMean_ = new QCheckBox(QStringLiteral("Průměr zobrazit"), host);
    showMean_->setObjectName(QStringLiteral("CheckBox1"));
    connect(showMean_, &QCheckBox::clicked, this, [this](bool on) { options_.setShowMean(on); });

    layout->addWidget(levels);
    layout->addWidget(bases);
    layout->addWidget(showMean_);
    return host;
}

QWidget* EvaluationTab::buildMeanPanel() {
    auto* box = new QGroupBox(QStringLiteral("Průměry subtestů"), this);
    box->setObjectName(QStringLiteral("MeanPanel"));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    const QStringList columns{QStringLiteral("Verbální"), QStringLiteral("Performační"),
                              QStringLiteral("Celkem")};
    const QStringList rows{QStringLiteral("Součet vážených skórů"),
                           QStringLiteral("Počet subtestů"), QStringLiteral("Průměr")};
    // StaticText numbers by row (sum, count, mean) and column (verbal, performance, total).
    const int numbers[3][3] = {{61, 79, 80}, {83, 84, 81}, {85, 86, 87}};
    for (int c = 0; c < columns.size(); ++c)
        grid->addWidget(caption(columns[c], box, true), 0, c + 1, Qt::AlignCenter);
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(caption(rows[r], box), r + 1, 0);
        for (int c = 0; c < columns.size(); ++c) {
            const QString name = QStringLiteral("StaticText%1").arg(numbers[r][c]);
            QLabel* text = textCell(name, box);
            text->setFixedWidth(cellWidth + 8);
            meanTexts_.append(text);
            grid->addWidget(text, r + 1, c + 1);
        }
    }
    return box;
}

DBEdit* EvaluationTab::rawScoreBox(int subtest) const {
    return rawScores_.value(subtest - 1);
}

QLabel* EvaluationTab::referenceText(int subtest) const {
    return referenceTexts_.value(subtest - 1);
}

QColor EvaluationTab::markedColour() {
    return QColor(0, 255, 0);
}

QColor EvaluationTab::unmarkedColour() {
    return QColor(255, 255, 255);
}

void EvaluationTab::Button2Click() {
    EvaluationRun run(record_, options_, page_, messages_);
    guarded(messages_, [&] { run.Button2Click(); });
}

void EvaluationTab::showMarks() {
    // The marks are the options' own; the cells only show them.
    for (auto it = scaledCells_.begin(); it != scaledCells_.end(); ++it) {
        QPalette palette = it.value()->palette();
        palette.setColor(QPalette::Base,
                         options_.isMarked(it.key()) ? markedColour() : unmarkedColour());
        it.value()->setPalette(palette);
    }
    significance_->button(options_.significanceItem())->setChecked(true);
    if (QAbstractButton* basis = meanBasis_->button(options_.meanBasis()))
        basis->setChecked(true);
    showMean_->setChecked(options_.showMean());
}

void EvaluationTab::showPageTexts() {
    for (int i = 0; i < referenceTexts_.size(); ++i)
        referenceTexts_[i]->setText(page_.referenceText(i + 1));
    const EvaluationPage::MeanPanel& panel = page_.meanPanel();
    // In the order of the panel's cells: sum, count, mean by verbal,
    // performance, total.
    const QString texts[] = {panel.verbalSum,   panel.performanceSum,   panel.totalSum,
                             panel.verbalCount, panel.performanceCount, panel.totalCount,
                             panel.verbalMean,  panel.performanceMean,  panel.overallMean};
    for (int i = 0; i < meanTexts_.size(); ++i)
        meanTexts_[i]->setText(texts[i]);
}

void EvaluationTab::showSoCells(bool hidden) {
    const int so = int(rawScores_.size());
    rawScores_.value(so - 1)->setVisible(!hidden);
    referenceTexts_.value(so - 1)->setVisible(!hidden);
    scaledCells_.value(QStringLiteral("PER_SO"))->setVisible(!hidden);
}

} // namespace iksa::app
