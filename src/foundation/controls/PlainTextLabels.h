#pragma once
// Labels, and the tool tips Qt shows in a label of its own, show their text as plain text: a
// name a user typed, such as "Granulat & <b>x</b>'s", reads as typed and never as markup. No label
// of the program shows markup on purpose. Installed on the application, it sets each label's text
// format to plain text before the label is first shown; a label given a format of its own keeps it.

#include <QObject>

class CPlainTextLabels : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
