#include "BenchSupport.h"

#include <QProcess>
#include <map>
#include <memory>

namespace iksa::bench {

QDir generatedRecords(int count) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> dirs;
    auto& dir = dirs[count];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        QProcess::execute(QStringLiteral(IKSA_GENERATOR),
                          {dir->path(), QString::number(count), QStringLiteral("1")});
    }
    return QDir(dir->path());
}

OpenTables::OpenTables(const QDir& dir)
    : record(data) {
    data.open(dir, messages);
}

StoredExaminee::StoredExaminee(Texts texts)
    : record(data) {
    DataModule::createEmptyTables(QDir(dir.path()));
    data.open(QDir(dir.path()), messages);
    record.press(NavigatorButton::Insert);
    for (const auto& [field, text] : texts)
        record.setText(QString::fromUtf8(field), QString::fromUtf8(text));
    record.press(NavigatorButton::Post);
}

} // namespace iksa::bench
