#include "DocumentViewer.h"

#include <QAction>
#include <QDir>
#include <QPdfDocument>
#include <QPdfView>
#include <QToolBar>
#include <QVBoxLayout>

namespace iksa::app {

PdfViewer::PdfViewer(QWidget* parent)
    : QWidget(parent)
    , document_(new QPdfDocument(this))
    , view_(new QPdfView(this))
    , toolbar_(new QToolBar(this)) {
    setObjectName(QStringLiteral("AcroPDF1"));
    view_->setDocument(document_);
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    toolbar_->addAction(QStringLiteral("Celá šířka"), this,
                        [this] { view_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    toolbar_->addAction(QStringLiteral("Celá stránka"), this,
                        [this] { view_->setZoomMode(QPdfView::ZoomMode::FitInView); });
    toolbar_->addAction(QStringLiteral("+"), this, [this] {
        view_->setZoomMode(QPdfView::ZoomMode::Custom);
        view_->setZoomFactor(view_->zoomFactor() * 1.25);
    });
    toolbar_->addAction(QStringLiteral("−"), this, [this] {
        view_->setZoomMode(QPdfView::ZoomMode::Custom);
        view_->setZoomFactor(view_->zoomFactor() / 1.25);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(view_);
}

bool PdfViewer::LoadFile(const QString& fileName) {
    return document_->load(QDir::current().absoluteFilePath(fileName)) == QPdfDocument::Error::None;
}

void PdfViewer::setShowToolbar(bool on) {
    toolbar_->setVisible(on);
}

bool PdfViewer::toolbarShown() const {
    return !toolbar_->isHidden();
}

void PdfViewer::setShowScrollbars(bool on) {
    const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    view_->setHorizontalScrollBarPolicy(policy);
    view_->setVerticalScrollBarPolicy(policy);
}

DocumentViewer::DocumentViewer(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , viewer_(new PdfViewer(this)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Formulář Hledání symbolů"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewer_);
    resize(900, 700);
}

void DocumentViewer::showDocument() {
    showMaximized();
    raise();
    const QString remembered = QDir::currentPath();
    viewer_->LoadFile(QString::fromLatin1(documentName));
    viewer_->setShowToolbar(false);
    viewer_->setShowScrollbars(false);
    QDir::setCurrent(remembered);
}

} // namespace iksa::app
