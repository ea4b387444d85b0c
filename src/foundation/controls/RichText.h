#pragma once
// The multi-line description edit. A new line typed with Enter stays in the text by itself.

#include <QTextEdit>

class CRichText : public QTextEdit {
    Q_OBJECT
public:
    explicit CRichText(QWidget* parent = nullptr);

    void SetText(const QString& text); // replaces the whole text, as plain text
    QString GetText() const { return toPlainText(); }
};
