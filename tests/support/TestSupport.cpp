#include "TestSupport.h"

#include <gtest/gtest.h>

namespace iksa::test {

int RecordingMessages::ask(const QString& text, const QStringList&, int defaultButton) {
    asked.append(text);
    return answers.isEmpty() ? defaultButton : answers.dequeue();
}

TempDir::TempDir() {
    if (!tmp_.isValid())
        ADD_FAILURE() << "cannot create a temporary directory";
}

QString sourcePath(const QString& relative) {
    return QDir(QStringLiteral(IKSA_SOURCE_DIR)).filePath(relative);
}

} // namespace iksa::test
