#pragma once

#include "SubtestPage.h"
#include "controls/DBEdit.h"
#include "controls/DBRadioGroup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QRadioButton>
#include <QTest>

namespace iksa::test {

// Types the values of one subtest page as an examiner with the record form
// beside the keyboard would, using only Tab, Shift+Tab, digits, Space and
// Enter: from the focused control it goes to the next value by Tab (or back
// by Shift+Tab to a time or response that stands before the score), types
// it, and presses every "=" on the way; it stops after the raw score's "=".
// Derived boxes are not typed: the rules fill them. No gtest here, so that
// the benchmark types the same way; a problem comes back as text.
class KeyboardTypist {
public:
    KeyboardTypist(app::SubtestPage& page, const QHash<QString, QString>& values)
        : page_(page) {
        for (auto it = values.begin(); it != values.end(); ++it) {
            const QString field = it.key().section(u':', -1);
            QWidget* control = page.control(field);
            if (control && (control->focusPolicy() & Qt::TabFocus))
                pending_.insert(field, it.value());
        }
    }

    // The fields this typist will type.
    int fieldsToType() const { return int(pending_.size()); }
    int keys() const { return keys_; }

    // Types the page; returns what went wrong, empty when all went well.
    QString typePage() {
        for (int step = 0; step < 2000; ++step) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus || !page_.isAncestorOf(focus))
                return QStringLiteral("the focus left the page at %1")
                    .arg(focus ? focus->objectName() : QStringLiteral("nothing"));
            const QString field = focus->property("field").toString();
            if (pending_.contains(field)) {
                const QString problem = type(focus, pending_.take(field));
                if (!problem.isEmpty())
                    return problem;
                continue;
            }
            const bool before = pendingBefore(focus);
            if (auto* button = qobject_cast<QAbstractButton*>(focus);
                button && button->text() == QLatin1String("=") && !before) {
                const bool last = button == rawScoreButton();
                key(focus, Qt::Key_Return);
                if (last)
                    return pending_.isEmpty() ? QString()
                                              : QStringLiteral("not typed: %1")
                                                    .arg(QStringList(pending_.keys()).join(u' '));
                continue;
            }
            key(focus, Qt::Key_Tab, before ? Qt::ShiftModifier : Qt::NoModifier);
        }
        return QStringLiteral("no end after 2000 keys");
    }

private:
    QString type(QWidget* control, const QString& value) {
        if (auto* group = qobject_cast<app::DBRadioGroup*>(control)) {
            const int index = group->values().indexOf(value);
            if (index < 0)
                return QStringLiteral("%1 has no button for %2").arg(group->fieldName(), value);
            QString caption = group->button(index)->text();
            caption.remove(u'[').remove(u']');
            characters(control, caption);
            // A caption that a longer one continues ("1" of "12") waits for Enter.
            if (QApplication::focusWidget() == control)
                key(control, Qt::Key_Return);
        } else {
            characters(control, value);
            // Score boxes move on by themselves; times and counts by Tab.
            if (QApplication::focusWidget() == control)
                key(control, Qt::Key_Tab);
        }
        if (control->property("field").toString().isEmpty())
            return QStringLiteral("typed into a control without a field");
        return QString();
    }

    void characters(QWidget* control, const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(control, c.toLatin1());
            ++keys_;
        }
    }

    void key(QWidget* control, Qt::Key which, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(control, which, modifiers);
        ++keys_;
    }

    // The Tab chain of the page as a keyboard reaches it.
    QList<QWidget*> tabChain() const {
        QList<QWidget*> chain;
        QWidget* window = page_.window();
        QWidget* w = window;
        do {
            if (page_.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
                w->isVisibleTo(window))
                chain.append(w);
            w = w->nextInFocusChain();
        } while (w && w != window);
        return chain;
    }

    bool pendingBefore(QWidget* focus) const {
        const QList<QWidget*> chain = tabChain();
        const int at = int(chain.indexOf(focus));
        for (int i = 0; i < at; ++i)
            if (pending_.contains(chain[i]->property("field").toString()))
                return true;
        return false;
    }

    QAbstractButton* rawScoreButton() const {
        // The "=" beside the raw score: the last "=" of the page.
        QAbstractButton* last = nullptr;
        for (QWidget* w : tabChain())
            if (auto* button = qobject_cast<QAbstractButton*>(w);
                button && button->text() == QLatin1String("="))
                last = button;
        return last;
    }

    app::SubtestPage& page_;
    QHash<QString, QString> pending_;
    int keys_ = 0;
};

} // namespace iksa::test
