#pragma once
// A multi-line text box whose text is CR LF joined, as the program writes it;
// the editor underneath works with bare line feeds. Its context menus, the
// editor's and the scroll bar's, are in Japanese.

#include <QPlainTextEdit>

class TextBox final : public QPlainTextEdit
{
public:
    explicit TextBox(QWidget *parent);

    /// Replaces the whole text; CR LF pairs start new lines.
    void setText(const QString &text);

    /// The text as last written, or as the user has edited it since.
    QString text() const;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString written_;
};
