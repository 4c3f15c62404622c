#include "DBEdit.h"

#include <QApplication>
#include <QKeyEvent>

namespace iksa::app {

DBEdit::DBEdit(DataSource& source, const QString& field, QWidget* parent)
    : QLineEdit(parent) {
    bind(source, field);
    const ColumnDef& column = source.table().schema().columns.at(this->field());
    type_ = column.type;
    limit_ = column.width;
    setProperty("field", field);
    connect(this, &QLineEdit::textEdited, this, &DBEdit::writeBack);
    refresh();
    // An empty box too holds no more than its field: what is typed or pasted
    // beyond it would be cut off at post.
    applyLimit(text().size());
}

void DBEdit::setLimit(int characters) {
    limit_ = characters > 0 ? characters : dataSource()->table().schema().columns.at(field()).width;
    applyLimit(text().size());
}

void DBEdit::setResultCell(bool on) {
    setReadOnly(on);
    setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
}

void DBEdit::applyLimit(int textLength) {
    const int wanted = qMax(limit_, textLength);
    if (maxLength() != wanted)
        setMaxLength(wanted);
}

void DBEdit::refresh() {
    const QString shown = bufferText();
    if (shown == text())
        return;
    applyLimit(shown.size());
    setText(shown);
    setCursorPosition(0);
}

void DBEdit::writeBack(const QString& typed) {
    if (!writeToBuffer(typed))
        return;
    applyLimit(typed.size());
    emit edited(fieldName());
}

bool DBEdit::typeAdmits(QChar key) const {
    switch (type_) {
    case ColumnType::Text:
        return true;
    case ColumnType::Int16:
        return key.isDigit() || key == u'+' || key == u'-';
    case ColumnType::Float:
        return key.isDigit() || key == u'+' || key == u'-' || key == u'.' || key == u',';
    }
    return true;
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
    // Only keys that type a character pass the filters: Backspace, printable
    // characters and control combinations; Delete and the cursor keys do not.
    const QString typed = event->text();
    const bool typesCharacter = !isReadOnly() && !typed.isEmpty() && typed.at(0) != QChar(0x7f);
    const bool printable = typesCharacter && typed.at(0) >= u' ';
    if (typesCharacter) {
        const QChar key = event->key() == Qt::Key_Backspace ? QChar(u'\b') : typed.at(0);
        if ((keyFilter_ && !keyFilter_(text(), key)) || (printable && !typeAdmits(key))) {
            event->accept();
            refuse();
            return;
        }
    }
    // A one-character box takes a new character in place of the old one:
    // a full box must never drop the examiner's keys unheard.
    if (printable && limit_ == 1 && !text().isEmpty() && !hasSelectedText())
        selectAll();
    if (printable && !hasSelectedText() && text().size() >= maxLength()) {
        event->accept();
        refuse();
        return;
    }
    QLineEdit::keyPressEvent(event);
    if (printable && limit_ == 1 && text().size() == 1 && text().at(0).isDigit())
        emit filled(fieldName());
}

void DBEdit::refuse() {
    QApplication::beep();
    emit keyRefused(fieldName());
}

void DBEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (!isReadOnly())
        emit pressed(fieldName());
}

} // namespace iksa::app
