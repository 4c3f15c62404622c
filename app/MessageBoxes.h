#pragma once

#include "records/UserMessages.h"

class QWidget;

namespace iksa::app {

// Messages and questions as modal message boxes over the main window.
class MessageBoxes : public UserMessages {
public:
    explicit MessageBoxes(QWidget* parent = nullptr)
        : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void show(const QString& text) override;
    int ask(const QString& text, const QStringList& buttons, int defaultButton = 0,
            int escapeButton = -1) override;

private:
    QWidget* parent_;
};

} // namespace iksa::app
