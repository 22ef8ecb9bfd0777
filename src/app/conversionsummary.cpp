#include "conversionsummary.h"

#include "app/uitexts.h"

#include <QStringList>

namespace {

constexpr int kLinesShown = 10;

QString reasonOf(const pelmora::ConversionResult &result) {
    // The window's own words for a missing name, as the single conversion shows them.
    return result.status == pelmora::ConversionStatus::MissingTargetName
               ? uitexts::kMissingTargetName
               : result.reason;
}

bool failed(const pelmora::ConversionResult &result) {
    return result.status == pelmora::ConversionStatus::Failed ||
           result.status == pelmora::ConversionStatus::MissingTargetName;
}

// At most kLinesShown lines, then how many more there are.
QString listed(const QStringList &lines) {
    QString text = QStringList(lines.mid(0, kLinesShown)).join(u'\n');
    if (lines.size() > kLinesShown)
        text += QStringLiteral("\n…ほか %1 件").arg(lines.size() - kLinesShown);
    return text;
}

QString failures(const pelmora::BatchResult &result, ConversionSource source) {
    QStringList lines;
    for (const pelmora::BatchEntryResult &e : result.entries) {
        if (failed(e.result))
            lines.append(e.entry.name + QStringLiteral(": ") + reasonOf(e.result));
    }
    if (lines.isEmpty())
        return {};
    if (result.entries.size() == 1) {
        const pelmora::BatchEntryResult &only = result.entries.first();
        if (only.result.status == pelmora::ConversionStatus::MissingTargetName)
            return uitexts::kMissingTargetName;
        return QStringLiteral("%1 を変換できませんでした。\n%2")
            .arg(only.entry.name, only.result.reason);
    }
    QString text = QStringLiteral("%1 枚の写真を変換できませんでした。").arg(lines.size());
    if (source == ConversionSource::List)
        text += QStringLiteral("リストに残してあります。");
    return text + u'\n' + listed(lines);
}

QString warnings(const pelmora::BatchResult &result) {
    QStringList lines;
    int photos = 0;
    for (const pelmora::BatchEntryResult &e : result.entries) {
        if (!e.result.converted() || e.result.warnings.isEmpty())
            continue;
        ++photos;
        for (const pelmora::Warning &warning : e.result.warnings)
            lines.append(e.entry.name + QStringLiteral(": ") + warning.text);
    }
    if (lines.isEmpty())
        return {};
    return QStringLiteral("%1 枚の写真は変換しましたが、次の点にご注意ください。").arg(photos) +
           u'\n' + listed(lines);
}

QString stopped(const pelmora::BatchResult &result, ConversionSource source) {
    const qsizetype left = result.notStartedCount();
    if (left == 0)
        return {};
    if (source == ConversionSource::List)
        return QStringLiteral("変換を中止しました。%1 枚の写真は変換せずにリストに残してあります。")
            .arg(left);
    return QStringLiteral("変換を中止しました。%1 枚の写真は変換していません。").arg(left);
}

} // namespace

QString undoSummary(const pelmora::UndoReport &report) {
    QString text = QStringLiteral("%1 枚の写真を元に戻しました").arg(report.photosBack.size());
    if (!report.refused.isEmpty())
        text += QStringLiteral(
                    "\n\n次の %1 件は、変換の後に変わっているなどの理由で元に戻していません。\n")
                    .arg(report.refused.size()) +
                listed(report.refused);
    if (report.unreadable > 0)
        text +=
            QStringLiteral("\n\n変換の記録のうち %1 行を読めませんでした。").arg(report.unreadable);
    return text;
}

QString conversionSummary(const pelmora::BatchResult &result, ConversionSource source) {
    if (!result.started())
        return QStringLiteral("変換先フォルダを使えないため、写真は変換していません。\n%1")
            .arg(result.fatalError);
    QStringList parts;
    for (const QString &part :
         {stopped(result, source), failures(result, source), warnings(result)}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral("\n\n"));
}
