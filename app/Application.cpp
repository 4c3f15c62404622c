#include "Application.h"

#include "QtTranslations.h"
#include "records/UserError.h"
#include "records/UserMessages.h"

#include <QFont>
#include <QMessageBox>

namespace iksa::app {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("IKSA-III"));
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    installCzechQtTranslations(*this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    QString failure;
    try {
        return QApplication::notify(receiver, event);
    } catch (const UserError& error) {
        failure = error.message();
    } catch (const std::exception& error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    if (messages_)
        messages_->show(failure);
    else
        QMessageBox::warning(nullptr, QStringLiteral("Iksa"), failure);
    return false;
}

} // namespace iksa::app
