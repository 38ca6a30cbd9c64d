#include "qt/forms/text_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

#include "qt/forms/standard_texts.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kLf = QStringLiteral("\n");

void popUp(QMenu *menu, const QPoint &globalPosition)
{
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}
} // namespace

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);

    QScrollBar *bar = verticalScrollBar();
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this, [bar](const QPoint &position) {
        popUp(standard_texts::scrollBarMenu(*bar, position), bar->mapToGlobal(position));
    });
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

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    popUp(standard_texts::editMenu(*this, event->pos()), event->globalPos());
}

// Redo is Ctrl+Y, as the menu says, also where the desktop's key scheme knows
// only Ctrl+Shift+Z (GNOME's, KDE's).
void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (event->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y) && !isReadOnly()) {
        redo();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
