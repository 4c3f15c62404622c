#pragma once

#include "records/UserMessages.h"

#include <QDir>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace iksa::test {

// Collects every message and answers questions from a queue (the default
// button when the queue is empty).
class RecordingMessages : public UserMessages {
public:
    void show(const QString& text) override { shown.append(text); }
    int ask(const QString& text, const QStringList& buttons, int defaultButton = 0) override;

    QStringList shown;
    QStringList asked;
    QQueue<int> answers;
};

// A fresh temporary directory that is removed with the object.
class TempDir {
public:
    TempDir();
    QDir dir() const { return QDir(tmp_.path()); }
    QString path() const { return tmp_.path(); }
    QString file(const QString& name) const { return tmp_.filePath(name); }

private:
    QTemporaryDir tmp_;
};

// The source tree, for data files that tests read.
QString sourcePath(const QString& relative);

} // namespace iksa::test
