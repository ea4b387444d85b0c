#include "foundation/controls/MyBrowseForFolder.h"

#include "foundation/common/FileDialogService.h"

int CMyBrowseForFolder::Browse()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Folder;
    request.title = m_title;
    request.initialPath = m_initialFolder;
    const QString chosen = ChooseFile(request);
    if (chosen.isEmpty())
        return 0;
    m_path = chosen;
    return 1;
}
