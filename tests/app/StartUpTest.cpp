#include "AboutBox.h"
#include "MainWindow.h"
#include "Program.h"
#include "TestSupport.h"
#include "records/DataModule.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace iksa::test {
namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(tmp_.path());
    }
    void TearDown() override { QDir::setCurrent(previousDir_); }

    TempDir tmp_;
    QString previousDir_;
};

TEST_F(StartUp, SplashGoesAfterTwoSecondsAlsoWhenTheTablesAreMissing) {
    RecordingMessages messages;
    app::Program program(&messages, true);
    program.start();
    app::MainWindow& form1 = program.form1();
    ASSERT_NE(form1.splash(), nullptr);
    EXPECT_EQ(form1.splash()->objectName(), "Logo");
    EXPECT_TRUE(form1.splash()->isVisible());
    EXPECT_EQ(form1.timer1()->interval(), 2000);
    EXPECT_TRUE(form1.timer1()->isSingleShot());
    EXPECT_TRUE(form1.timer1()->isActive());

    form1.FormActivate();
    EXPECT_EQ(messages.shown.size(), 1); // the engine's message, once
    QCoreApplication::processEvents();
    EXPECT_TRUE(form1.splash() != nullptr && form1.splash()->isVisible());
    // The two seconds pass at once: the same timer fires after 1 ms.
    form1.timer1()->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form1.splash() == nullptr; }, 4000));
    EXPECT_TRUE(form1.isVisible());
    EXPECT_FALSE(program.data().isOpen());

    // The activation that follows the message does not ask again; the next
    // real activation opens the tables once they exist.
    form1.FormActivate();
    EXPECT_EQ(messages.shown.size(), 1);
    DataModule::createEmptyTables(tmp_.dir());
    program.oprogramu().showCentred();
    program.oprogramu().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.oprogramu()));
    form1.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form1));
    EXPECT_TRUE(program.data().table3().isOpen());
    EXPECT_TRUE(program.data().table1().isOpen());
}

TEST_F(StartUp, ASecondCopyOnTheSameDirectoryIsRefused) {
    DataModule::createEmptyTables(tmp_.dir());
    RecordingMessages first;
    app::Program running(&first, false);
    running.start();
    running.form1().FormActivate();
    ASSERT_TRUE(running.data().isOpen());

    RecordingMessages second;
    app::Program copy(&second, false);
    copy.start();
    copy.form1().FormActivate();
    ASSERT_EQ(second.shown.size(), 1);
    EXPECT_TRUE(second.shown.first().contains(QDir::toNativeSeparators(tmp_.path())) ||
                second.shown.first().contains(QDir(tmp_.path()).canonicalPath()))
        << second.shown.first().toStdString();
    EXPECT_FALSE(copy.data().table3().isOpen());
    EXPECT_TRUE(first.shown.isEmpty());
}

} // namespace
} // namespace iksa::test
