#include "AboutBox.h"

#include "Pictures.h"
#include "ProductInfo.h"
#include "ScreenCentre.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace iksa::app {

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Oprogramu"));
    setWindowTitle(QStringLiteral("O programu"));
    setModal(false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);

    auto* product = new QLabel(ProductInfo::edition(), panel);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont title = product->font();
    title.setPixelSize(22);
    title.setBold(true);
    product->setFont(title);
    auto* lines = new QVBoxLayout(panel);
    lines->addWidget(product);
    lines->addWidget(new QLabel(ProductInfo::scaleName(), panel));
    for (const QString& line : ProductInfo::aboutLines())
        lines->addWidget(new QLabel(line, panel));
    if (ProductInfo::illustrativeNorms()) {
        auto* notice = new QLabel(ProductInfo::normsNotice(), panel);
        notice->setObjectName(QStringLiteral("NormsNotice"));
        notice->setStyleSheet(QStringLiteral("color: #c83228;"));
        lines->addWidget(notice);
    }
    auto* logo = new QLabel(panel);
    logo->setPixmap(Pictures::logo(QSize(401, 81)));
    lines->addWidget(logo);

    auto* close = new QPushButton(QStringLiteral(" Zavřít"), this);
    close->setObjectName(QStringLiteral("OKButton"));
    QFont bold = close->font();
    bold.setBold(true);
    close->setFont(bold);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}

void AboutBox::showCentred() {
    centreOnScreen(*this);
    show();
    raise();
}

} // namespace iksa::app
