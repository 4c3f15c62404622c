#pragma once

#include <QWidget>

class QPdfDocument;
class QPdfView;
class QToolBar;

namespace iksa::app {

// "AcroPDF1": the embedded PDF viewer with the three calls the program uses.
class PdfViewer : public QWidget {
    Q_OBJECT

public:
    explicit PdfViewer(QWidget* parent = nullptr);

    // Loads a file; a relative name is taken from the current directory. The
    // result is for the caller to ignore or not.
    bool LoadFile(const QString& fileName);
    void setShowToolbar(bool on);
    void setShowScrollbars(bool on);

    QPdfDocument* document() const { return document_; }
    QPdfView* view() const { return view_; }
    bool toolbarShown() const;

private:
    QPdfDocument* document_;
    QPdfView* view_;
    QToolBar* toolbar_;
};

// "Form4": the document viewer, opening maximised and filled by the PDF
// viewer. Closing it hides it.
class DocumentViewer : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* documentName = "Iksa_kodovani.pdf";

    explicit DocumentViewer(QWidget* parent = nullptr);

    // Shows the window and loads the symbol-search form from the current
    // directory; a missing file gives no message.
    void showDocument();
    PdfViewer* viewer() const { return viewer_; }

private:
    PdfViewer* viewer_;
};

} // namespace iksa::app
