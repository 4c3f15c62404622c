#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace iksa {

// The age check on leaving the age box DBEdit3: the messages to show, in
// order ("Špatný věk !!", "Věk  je menší jak 16 let!!", "Věk  je větší jak
// 105 let!!"). When the list is not empty the focus goes back to the box.
QStringList ageCheckMessages(const QString& ageText);

// The key filter of the date box DBEdit4. `key` is the character typed, or
// QChar('\b') for Backspace.
struct KeyVerdict {
    bool accept = true;
    QString message; // shown before the key is taken, when not empty
};
KeyVerdict dateKeyFilter(const QString& currentText, QChar key);

} // namespace iksa
