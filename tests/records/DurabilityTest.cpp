// A program killed at any moment (SIGKILL) while it adds and posts records
// leaves three tables that open, with every posted record intact.
#include "RecordsFixture.h"

#include <QRandomGenerator>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace iksa;
using namespace iksa::test;

namespace {

QString surnameOf(int n) {
    return QStringLiteral("Žák %1").arg(n);
}

// The child: "přidat", texts in all three tables, "potvrdit", and then the
// record's number down the pipe, until it is killed.
[[noreturn]] void addUntilKilled(const QDir& dir, int pipeOut) {
    try {
        RecordingMessages messages;
        DataModule data;
        data.open(dir, messages);
        ExamineeRecord record(data);
        for (int n = 1; n < 1000000; ++n) {
            record.press(NavigatorButton::Insert);
            record.setText(QStringLiteral("PRIJM"), surnameOf(n));
            record.setText(QStringLiteral("VEK"), QString::number(16 + n % 80));
            record.setText(QStringLiteral("S_1_1"), QStringLiteral("1"));
            record.setText(QStringLiteral("S_6_1"), QStringLiteral("2"));
            record.press(NavigatorButton::Post);
            if (::write(pipeOut, &n, sizeof n) != sizeof n)
                ::_exit(3);
        }
    } catch (...) {
        ::_exit(2);
    }
    ::_exit(0);
}

} // namespace

TEST(Durability, KilledWhileAddingLeavesEveryPostedRecordIntact) {
    for (int round = 0; round < 3; ++round) {
        TempDir tmp;
        DataModule::createEmptyTables(tmp.dir());
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            addUntilKilled(tmp.dir(), fds[1]);
        }
        ::close(fds[1]);
        // The kill falls at a random moment once the child is writing.
        int posted = 0;
        ASSERT_EQ(::read(fds[0], &posted, sizeof posted), static_cast<ssize_t>(sizeof posted));
        const quint32 seed = 20261211u + static_cast<quint32>(round);
        const int delayMs = 50 + static_cast<int>(QRandomGenerator(seed).bounded(400));
        SCOPED_TRACE(
            QStringLiteral("seed %1: killed after %2 ms").arg(seed).arg(delayMs).toStdString());
        ::usleep(static_cast<useconds_t>(delayMs) * 1000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
        for (int n = 0; ::read(fds[0], &n, sizeof n) == sizeof n;)
            posted = n;
        ::close(fds[0]);

        RecordingMessages messages; // differing row counts are allowed: a warning
        DataModule data;
        ASSERT_NO_THROW(data.open(tmp.dir(), messages));
        ExamineeRecord record(data);
        ASSERT_GE(data.table1().recordCount(), posted);
        ASSERT_GE(data.table2().recordCount(), posted);
        ASSERT_GE(data.table3().recordCount(), posted);
        for (int n = 1; n <= posted; ++n) {
            record.moveTo(n);
            ASSERT_EQ(record.text(QStringLiteral("PRIJM")), surnameOf(n));
            ASSERT_EQ(record.text(QStringLiteral("1:PRIJM")), surnameOf(n));
            ASSERT_EQ(record.text(QStringLiteral("2:PRIJM")), surnameOf(n));
            ASSERT_EQ(record.integer(QStringLiteral("VEK")), 16 + n % 80);
            ASSERT_EQ(record.text(QStringLiteral("ID")), QString::number(n - 1));
            ASSERT_EQ(record.text(QStringLiteral("S_1_1")), QStringLiteral("1"));
            ASSERT_EQ(record.text(QStringLiteral("S_6_1")), QStringLiteral("2"));
        }
        // The tables take new records after whatever the kill left.
        record.press(NavigatorButton::Insert);
        record.press(NavigatorButton::Post);
    }
}
