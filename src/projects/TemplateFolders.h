#pragma once
// The two project-template folders (ending with "/"): made when missing; the install folder when
// one cannot be made.

#include <QString>

QString GetStandardTemplateDir();
QString GetUserTemplateDir();
