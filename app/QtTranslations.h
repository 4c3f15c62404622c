#pragma once

class QCoreApplication;

namespace iksa::app {

// Puts Qt's own texts into Czech: the standard buttons of message boxes, the
// file dialogs, the context menus of edit boxes. The translations are those
// the system's Qt ships (qtbase_cs). False when they are not installed; the
// program then shows Qt's English texts.
bool installCzechQtTranslations(QCoreApplication& application);

} // namespace iksa::app
