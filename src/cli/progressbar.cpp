#include "progressbar.h"

#include <QString>
#include <unistd.h>

namespace pelmora {

ProgressBar::ProgressBar(QTextStream &err, bool wanted)
    : m_err(err)
    , m_shown(wanted && isatty(STDERR_FILENO) != 0) {}

void ProgressBar::show(qsizetype done, qsizetype count) {
    if (!m_shown || count == 0)
        return;
    constexpr int width = 30;
    const int filled = static_cast<int>(width * done / count);
    m_err << '\r' << '[' << QString(filled, u'#') << QString(width - filled, u' ') << "] " << done
          << '/' << count;
    m_err.flush();
    m_drawn = true;
}

void ProgressBar::finish() {
    if (m_drawn)
        m_err << '\n';
    m_drawn = false;
    m_err.flush();
}

} // namespace pelmora
