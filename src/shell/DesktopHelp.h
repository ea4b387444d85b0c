#pragma once
// Help topics as local HTML pages of the install, opened in the desktop browser.

#include "foundation/common/HelpService.h"

class PathProvider;

class CDesktopHelp : public HelpService {
public:
    explicit CDesktopHelp(PathProvider* paths) : m_paths(paths) {}
    void DisplayHelp(const QString& helpFile, long topic) override;

private:
    PathProvider* m_paths;
};
