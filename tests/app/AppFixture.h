#pragma once

#include "MainWindow.h"
#include "Program.h"
#include "SubtestPage.h"
#include "TestSupport.h"
#include "controls/DBEdit.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace iksa::test {

// The program started offscreen on empty tables in a temporary start
// directory, with its messages collected.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DataModule::createEmptyTables(tmp_.dir());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(tmp_.path());
    }

    void TearDown() override {
        delete boxWatcher_;
        program_.reset();
        QDir::setCurrent(previousDir_);
    }

    // Starts the program; `seed` may fill the tables first. With
    // `realMessageBoxes_` its messages and questions are real message boxes.
    void start() {
        program_ = std::make_unique<app::Program>(realMessageBoxes_ ? nullptr : &messages_, false);
        program_->start();
        form1().FormActivate();
        form1().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
    }

    // Adds stored records before the program starts: texts by field name.
    void seed(const QList<QList<QPair<QString, QString>>>& records) {
        DataModule data;
        data.open(tmp_.dir(), messages_);
        ExamineeRecord record(data);
        for (const auto& fields : records) {
            record.press(NavigatorButton::Insert);
            record.press(NavigatorButton::Edit);
            for (const auto& [field, text] : fields)
                record.setText(field, text);
            record.press(NavigatorButton::Post);
        }
    }

    app::MainWindow& form1() { return program_->form1(); }
    ExamineeRecord& record() { return program_->record(); }
    DataModule& data() { return program_->data(); }

    template <typename T = QWidget> T* find(const QString& name) {
        T* widget = form1().findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    app::DBEdit* box(const QString& name) { return find<app::DBEdit>(name); }

    void showPage(int number) // 1 … 15
    {
        form1().pageControl()->setCurrentIndex(number - 1);
        QApplication::processEvents();
    }

    void type(QWidget* widget, const QString& text) {
        widget->setFocus();
        QTest::keyClicks(widget, text);
    }

    // Runs `act` on the next message box as soon as it is shown, from inside
    // its own event loop (where the examiner's keys reach it).
    void onNextMessageBox(std::function<void(QMessageBox&)> act) {
        if (boxWatcher_)
            boxWatcher_->deleteLater();
        boxWatcher_ = new QTimer;
        boxWatcher_->setInterval(0);
        QObject::connect(boxWatcher_, &QTimer::timeout, [this, act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            boxWatcher_->stop();
            act(*box);
        });
        boxWatcher_->start();
    }

    bool realMessageBoxes_ = false;
    QPointer<QTimer> boxWatcher_;
    RecordingMessages messages_;
    TempDir tmp_;
    QString previousDir_;
    std::unique_ptr<app::Program> program_;
};

} // namespace iksa::test
