#include "forms/text_box.h"

#include <QScrollBar>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kLf = QStringLiteral("\n");
} // namespace

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
}

void TextBox::setText(const QString &text)
{
    written_ = text;
    setPlainText(QString(text).replace(kCrLf, kLf));
}

QString TextBox::text() const
{
    if (!document()->isModified())
        return written_;
    return toPlainText().replace(kLf, kCrLf);
}
