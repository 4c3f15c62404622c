#pragma once

#include "scoring/Catalogue.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace iksa::app {

class DataSource;
class DBEdit;
class DBRadioGroup;
class EntryWiring;

// What a subtest page binds to: the data sources of Table1 … Table3 and the
// wiring to the scoring rules.
struct PageContext {
    std::array<DataSource*, 3> sources{};
    EntryWiring* wiring = nullptr;
    DataSource& source(int table) const { return *sources.at(table - 1); }
};

// The page of one subtest, built from its catalogue entry: the item rows with
// their captions, response, time and joins boxes, typed score boxes, option
// groups and derived boxes, "ZAČÁTEK" and the shaded reverse items; the
// groups of CSK and HS; the part totals of OPA; and beside them the raw score
// under "Celkový hrubý skór" with its "=" button(s) and the maximum caption.
// Item rows scroll when they do not fit.
class SubtestPage : public QWidget {
    Q_OBJECT

public:
    SubtestPage(const Subtest& subtest, const PageContext& context, QWidget* parent = nullptr);

    const Subtest& subtest() const { return subtest_; }
    DBEdit* rawScoreBox() const { return rawScore_; }
    QCheckBox* notAdministeredBox() const { return notAdministered_; } // SO only
    QScrollArea* scrollArea() const { return scroll_; }
    // The control bound to a field of this page (box or group), or nullptr.
    QWidget* control(const QString& field) const { return controls_.value(field); }

    // The object name of the control bound to `field`: the name the system
    // gives it where it has one, otherwise the field's name.
    static QString controlName(const QString& field);

    // Entry by keyboard. The entries are the page's items in item order:
    // typed score and trial boxes, chosen scores and options, and each
    // part's "=". A valid score moves the focus to the next entry, the last
    // one to the page's "="; Enter or Space presses "=". Boxes that rules or
    // "=" fill are out of the Tab chain.
    QWidget* firstEntry() const;
    void focusFirstEntry();

signals:
    // The raw score's "=" was pressed by keyboard: the examiner goes on to
    // the next page.
    void rawScoreEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSection(QVBoxLayout* column, const Section& section);
    int addItemRows(QGridLayout* grid, int row, const Item& item,
                    const QHash<QString, int>& columns);
    void buildGroup(QVBoxLayout* column, const FieldGroup& group);
    void buildSummary(QVBoxLayout* panel);
    QWidget* cellWidget(const ItemCell& cell, const Item& item);
    DBEdit* addBox(int table, const QString& field, int limit, int width);
    DBEdit* addComputedBox(const QString& field, int width);
    DBRadioGroup* addGroup(int table, const QString& field, const QStringList& captions,
                           const QStringList& values);
    void addEntry(DBEdit* box);
    void addEntry(DBRadioGroup* group);
    QAbstractButton* addActionButton(const ScoreAction& action);
    void focusEntry(QWidget* entry);
    void advanceFrom(QWidget* entry);
    void pressByKeyboard(QAbstractButton* button);

    const Subtest& subtest_;
    PageContext context_;
    QScrollArea* scroll_ = nullptr;
    DBEdit* rawScore_ = nullptr;
    QCheckBox* notAdministered_ = nullptr;
    QHash<QString, QWidget*> controls_;
    QList<QWidget*> entries_;
    DBEdit* firstField_ = nullptr; // pages without items: the first box of their groups
    QList<QAbstractButton*> summaryButtons_;
};

} // namespace iksa::app
