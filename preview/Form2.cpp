#include "Form2.h"

#include "PrintPreview.h"
#include "ThumbnailPreview.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace iksa {

namespace {

constexpr int ThumbnailColumnWidth = 105;
constexpr int ZoomChoiceWidth = 121;

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Zobrazení protokolu"));
    resize(1024, 768);

    // The picture holders lie under the thumbnail column: they only carry
    // the pictures that the protocol paints.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image1->setGeometry(0, 0, ThumbnailColumnWidth, 60);
    Image2->setGeometry(0, 60, ThumbnailColumnWidth, 20);

    ThumbnailPreview1 = new TThumbnailPreview(this);
    ThumbnailPreview1->setObjectName(QStringLiteral("ThumbnailPreview1"));
    ThumbnailPreview1->setFixedWidth(ThumbnailColumnWidth);
    PrintPreview1 = new TPrintPreview(this);
    PrintPreview1->setObjectName(QStringLiteral("PrintPreview1"));
    ThumbnailPreview1->setPrintPreview(PrintPreview1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ThumbnailPreview1);
    layout->addWidget(PrintPreview1, 1);

    // The controls float over the page view's top left corner.
    ComboBox1 = new QComboBox(PrintPreview1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFixedWidth(ZoomChoiceWidth);
    ComboBox1->addItems({QStringLiteral("50 %"), QStringLiteral("100 %"), QStringLiteral("150 %"),
                         QStringLiteral("200 %"), QStringLiteral("max šíře"),
                         QStringLiteral("max výška"), QStringLiteral("zpět")});
    ComboBox1->setPlaceholderText(QStringLiteral("velikost zobrazení"));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setFocusPolicy(Qt::NoFocus);
    ComboBox1->move(0, 0);
    connect(ComboBox1, &QComboBox::activated, this, &TForm2::ComboBox1Change);

    Button1 = new QPushButton(QStringLiteral("Zpět"), PrintPreview1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedWidth(ZoomChoiceWidth);
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->move(0, ComboBox1->sizeHint().height());
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

    SavePdfButton = new QPushButton(QStringLiteral("Uložit PDF"), PrintPreview1);
    SavePdfButton->setObjectName(QStringLiteral("SavePdfButton"));
    SavePdfButton->setFixedWidth(ZoomChoiceWidth);
    SavePdfButton->setFocusPolicy(Qt::NoFocus);
    SavePdfButton->move(0, Button1->y() + Button1->sizeHint().height());
    connect(SavePdfButton, &QPushButton::clicked, this, &TForm2::SavePdfClick);

    Image1->lower();
    Image2->lower();
    setWindowState(Qt::WindowMaximized);
}

void TForm2::setImage1(const QImage& picture) {
    picture1_ = picture;
    Image1->setPixmap(QPixmap::fromImage(picture));
}

void TForm2::setImage2(const QImage& picture) {
    picture2_ = picture;
    Image2->setPixmap(QPixmap::fromImage(picture));
}

void TForm2::showReport() {
    setWindowState(windowState() | Qt::WindowMaximized);
    show();
    raise();
    activateWindow();
}

void TForm2::ComboBox1Change(int index) {
    static constexpr int Percent[] = {50, 100, 150, 200};
    if (index >= 0 && index < 4)
        PrintPreview1->setZoom(Percent[index]);
    else if (index == 4)
        PrintPreview1->setZoomState(TPrintPreview::zsZoomToWidth);
    else if (index == 5)
        PrintPreview1->setZoomState(TPrintPreview::zsZoomToHeight);
    else if (index == 6)
        PrintPreview1->setZoomState(TPrintPreview::zsZoomToFit);
    PrintPreview1->setFocus();
}

void TForm2::Button1Click() {
    hide();
}

QString TForm2::askSavePath() {
    if (chooser_)
        return chooser_();
    return QFileDialog::getSaveFileName(this, QStringLiteral("Uložit protokol jako PDF"),
                                        pdfFileName_, QStringLiteral("Dokument PDF (*.pdf)"));
}

void TForm2::SavePdfClick() {
    QString path = askSavePath();
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    try {
        PrintPreview1->surface().writePdf(path);
    } catch (const UserError& error) {
        report(error.message());
    }
}

void TForm2::report(const QString& text) {
    if (messages_)
        messages_->show(text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

} // namespace iksa
