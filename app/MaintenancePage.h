#pragma once

#include <QWidget>
#include <array>

namespace iksa::app {

class DataSource;
class DBNavigator;

// The page "Udrzba", never shown by any operation: a grid of each table, the
// follower navigators DBNavigator2 (Table1) and DBNavigator3 (Table2), the
// hidden key boxes through which ID and PRIJM are copied between the tables,
// and the group "Zálohování ".
class MaintenancePage : public QWidget {
    Q_OBJECT

public:
    MaintenancePage(const std::array<DataSource*, 3>& sources, QWidget* parent = nullptr);

    DBNavigator* navigator2() const { return navigator2_; }
    DBNavigator* navigator3() const { return navigator3_; }

private:
    DBNavigator* navigator2_;
    DBNavigator* navigator3_;
};

} // namespace iksa::app
