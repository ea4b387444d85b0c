#pragma once
// A standard icon of the application's style, read only when something first draws or measures
// it: a toolbar of a pane that stays behind another at start reads none of its images.

#include <QIcon>
#include <QStyle>

QIcon DeferredStandardIcon(QStyle::StandardPixmap which);
