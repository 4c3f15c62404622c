#include "MaintenancePage.h"

#include "controls/DBEdit.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace iksa::app {

MaintenancePage::MaintenancePage(const std::array<DataSource*, 3>& sources, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    for (int t = 0; t < 3; ++t) {
        auto* grid = new DBGrid(*sources[t], this);
        grid->setObjectName(QStringLiteral("DBGrid%1").arg(t + 1));
        layout->addWidget(new QLabel(QStringLiteral("Table%1").arg(t + 1), this), 0, t);
        layout->addWidget(grid, 1, t);
    }
    // Table1 follows DBNavigator2, Table2 DBNavigator3.
    navigator2_ = new DBNavigator(*sources[0], this);
    navigator2_->setObjectName(QStringLiteral("DBNavigator2"));
    navigator3_ = new DBNavigator(*sources[1], this);
    navigator3_->setObjectName(QStringLiteral("DBNavigator3"));
    layout->addWidget(navigator2_, 2, 0);
    layout->addWidget(navigator3_, 2, 1);

    struct KeyBox {
        int table;
        const char* field;
        const char* name;
    };
    const KeyBox keys[] = {{3, "ID", "DBEdit530"},
                           {1, "ID", "DBEdit538"},
                           {2, "ID", "DBEdit539"},
                           {1, "PRIJM", "DBEdit536"},
                           {2, "PRIJM", "DBEdit537"}};
    auto* keyRow = new QGridLayout;
    int column = 0;
    for (const KeyBox& key : keys) {
        auto* box = new DBEdit(*sources[key.table - 1], QString::fromLatin1(key.field), this);
        box->setObjectName(QString::fromLatin1(key.name));
        box->hide();
        keyRow->addWidget(box, 0, column++);
    }
    layout->addLayout(keyRow, 3, 0, 1, 3);

    auto* backup = new QGroupBox(QStringLiteral("Zálohování "), this);
    backup->setObjectName(QStringLiteral("GroupBox1"));
    layout->addWidget(backup, 2, 2, 2, 1);
}

} // namespace iksa::app
