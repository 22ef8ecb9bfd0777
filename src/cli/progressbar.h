#pragma once

#include <QTextStream>

namespace pelmora {

// The conversion's progress on standard error, redrawn on one line: shown only when standard
// error is a terminal, so a pipe or a log file gets none of it.
class ProgressBar {
public:
    explicit ProgressBar(QTextStream &err, bool wanted = true);

    void show(qsizetype done, qsizetype count);
    // Ends the bar's line, when one was drawn.
    void finish();

private:
    QTextStream &m_err;
    bool m_shown;
    bool m_drawn = false;
};

} // namespace pelmora
