#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace iksa {

class TPrintPreview;
class TThumbnailPreview;
class UserMessages;

// The report window "Zobrazení protokolu": the thumbnail column on the left,
// the page view filling the rest, the zoom choice and "Zpět" at the page
// view's top left, "Uložit PDF", and the two pictures the protocol paints.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    TPrintPreview* PrintPreview1 = nullptr;
    TThumbnailPreview* ThumbnailPreview1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* SavePdfButton = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;

    // Image1: the normal curve with the classification of score ranges;
    // Image2: the logo banner. The protocol paints them on its pages.
    QImage image1() const { return picture1_; }
    void setImage1(const QImage& picture);
    QImage image2() const { return picture2_; }
    void setImage2(const QImage& picture);

    // Where save failures are reported; a message box when none is set.
    void setMessages(UserMessages* messages) { messages_ = messages; }
    // Asks for the PDF's file name; a save dialog unless replaced (tests).
    void setSavePathChooser(std::function<QString()> chooser) { chooser_ = std::move(chooser); }
    // The file name the save dialog offers, made from the examinee's record
    // when a protocol is composed; "protokol.pdf" until then.
    QString pdfFileName() const { return pdfFileName_; }
    void setPdfFileName(const QString& name) { pdfFileName_ = name; }

    // Shows the window maximised and in front.
    void showReport();

    void ComboBox1Change(int index);
    void Button1Click();
    // "Uložit PDF": saves the recorded protocol as a vector PDF.
    void SavePdfClick();

private:
    void report(const QString& text);
    QString askSavePath();

    QImage picture1_;
    QImage picture2_;
    UserMessages* messages_ = nullptr;
    std::function<QString()> chooser_;
    QString pdfFileName_ = QStringLiteral("protokol.pdf");
};

} // namespace iksa
