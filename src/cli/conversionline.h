#pragma once

#include "batch/batchrunner.h"

#include <QString>
#include <QTextStream>

namespace pelmora {

// One photo's line in a list of what a conversion does or did: "OLD → NEW", the photo's path
// and the path of the file it becomes.
QString conversionLine(const QString &from, const QString &to);

// The photos that stopped a batch before it started (refused for their size), one line each:
// "PATH: REASON".
void printRefusals(const BatchResult &batch, QTextStream &err);

} // namespace pelmora
