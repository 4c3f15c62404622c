#pragma once

#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QSaveFile;

namespace iksa {

// Where a directly printed document goes: the printer in the program
// (PrinterTarget of iksa_preview), a PDF file in iksa-cli and in tests.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // The device of a new job with this title. Throws UserError with a Czech
    // message when no job can be started (no printer installed).
    virtual QPagedPaintDevice& openDevice(const QString& jobTitle) = 0;

    // The job is complete: a file target puts its file in place. Throws
    // UserError when it cannot. Without it the job is dropped.
    virtual void finishDevice() {}

    // The job has ended, completely or not; the device may be released.
    virtual void closeDevice() {}

    // What the examiner is told when the device refuses to start the job.
    virtual QString startFailedMessage() const;
};

// Prints into a vector PDF file. The file appears when the job is complete,
// whole, as a private file or with the mode of the file it replaces; a job
// that stops leaves no file behind.
class PdfFileTarget : public PrintTarget {
public:
    explicit PdfFileTarget(QString path);
    ~PdfFileTarget() override;

    QPagedPaintDevice& openDevice(const QString& jobTitle) override;
    void finishDevice() override;
    void closeDevice() override;
    QString startFailedMessage() const override;

private:
    QString path_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
};

} // namespace iksa
