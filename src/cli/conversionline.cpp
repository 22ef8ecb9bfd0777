#include "conversionline.h"

namespace pelmora {

QString conversionLine(const QString &from, const QString &to) {
    return from + QStringLiteral(" \u2192 ") + to;
}

void printRefusals(const BatchResult &batch, QTextStream &err) {
    for (const BatchEntryResult &entry : batch.entries) {
        if (entry.result.status == ConversionStatus::Failed)
            err << entry.entry.path() << ": " << entry.result.reason << '\n';
    }
}

} // namespace pelmora
