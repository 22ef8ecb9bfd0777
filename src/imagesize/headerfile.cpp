#include "headerfile.h"

#include <QFileInfo>
#include <cstring>
#include <sys/stat.h>

namespace pelmora::detail {

bool HeaderFile::open(const QString &path) {
    // A folder, a pipe or a device is no picture; a pipe could even block the caller.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    m_file.setFileName(path);
    // Unbuffered: QFile would otherwise read ahead in blocks of 16 KB.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    if (m_file.isSequential()) {
        m_file.close();
        return false;
    }
    m_size = m_file.size();
    return true;
}

bool HeaderFile::open(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    if (!m_file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                     QFileDevice::DontCloseHandle))
        return false;
    m_size = m_file.size();
    return true;
}

const unsigned char *HeaderFile::bytes(qint64 offset, qsizetype n) {
    if (!m_file.isOpen() || n <= 0 || n > MaxRequest || offset < 0 || offset > m_size - n)
        return nullptr;
    if (offset >= m_windowStart && offset - m_windowStart <= m_window.size() - n)
        return reinterpret_cast<const unsigned char *>(m_window.constData()) +
               (offset - m_windowStart);

    const qsizetype wanted = qMax(n, m_spent == 0 ? FirstBlock : Window);
    const qsizetype length = qsizetype(qMin<qint64>(wanted, m_size - offset));
    m_window.clear();
    m_windowStart = 0;
    if (m_spent + length > ReadBudget || !m_file.seek(offset))
        return nullptr;
    m_spent += length;
    m_window.resize(length);
    qint64 done = 0;
    while (done < length) {
        const qint64 got = m_file.read(m_window.data() + done, length - done);
        if (got <= 0) { // a read error, or the file shrank since its size was taken
            m_window.clear();
            return nullptr;
        }
        done += got;
    }
    m_windowStart = offset;
    return reinterpret_cast<const unsigned char *>(m_window.constData());
}

} // namespace pelmora::detail
