#pragma once
// A text browser that loads resources of local pages only (files and the program's resources);
// anything from the network is refused, and links are left to its owner.

#include <QTextBrowser>

class LocalTextBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit LocalTextBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

    static bool IsLocalScheme(const QString& scheme);
};
