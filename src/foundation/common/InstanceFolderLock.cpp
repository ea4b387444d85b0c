#include "foundation/common/InstanceFolderLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CInstanceFolderLock::CInstanceFolderLock(const QString& folder)
{
    const QString slashed = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const QByteArray path = QFile::encodeName(slashed + QLatin1String(INSTANCE_LOCK_FILE));
    // Only locked, never written: read-only, and no fifo or link under the name holds the open.
    m_fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_free = errno == ENOENT;
        return;
    }
    int result = 0;
    while ((result = ::flock(m_fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    m_free = result == 0;
}

CInstanceFolderLock::~CInstanceFolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
