#include "conversionsummary.h"

#include "app/uitexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

namespace {

constexpr int kLinesShown = 10;

QString reasonOf(const pelmora::ConversionResult &result) {
    // The window's own words for a missing name, as the single conversion shows them.
    return result.status == pelmora::ConversionStatus::MissingTargetName
               ? uitexts::missingTargetName()
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
        text += QCoreApplication::translate("ConversionSummary", "\n…ほか %n 件", nullptr,
                                            int(lines.size() - kLinesShown));
    return text;
}

// "name: reason" for each photo that failed, but for those told before the conversion started.
QStringList failureLines(const pelmora::BatchResult &result) {
    QStringList lines;
    for (const pelmora::BatchEntryResult &e : result.entries) {
        if (failed(e.result) && !e.result.refusedForSize)
            lines.append(e.entry.name + QStringLiteral(": ") + reasonOf(e.result));
    }
    return lines;
}

// Why the one photo converted alone was not.
QString singleFailure(const QString &name, const QString &reason) {
    return QCoreApplication::translate("ConversionSummary", "%1 を変換できませんでした。\n%2")
        .arg(name, reason);
}

QString singleFailure(const pelmora::BatchEntryResult &only) {
    if (only.result.status == pelmora::ConversionStatus::MissingTargetName)
        return uitexts::missingTargetName();
    return singleFailure(only.entry.name, only.result.reason);
}

QString failures(const pelmora::BatchResult &result, ConversionSource source) {
    const QStringList lines = failureLines(result);
    if (lines.isEmpty())
        return {};
    if (result.entries.size() == 1)
        return singleFailure(result.entries.first());
    const QString text = source == ConversionSource::List
                             ? QCoreApplication::translate(
                                   "ConversionSummary",
                                   "%n 枚の写真を変換できませんでした。リストに残してあります。",
                                   nullptr, int(lines.size()))
                             : QCoreApplication::translate("ConversionSummary",
                                                           "%n 枚の写真を変換できませんでした。",
                                                           nullptr, int(lines.size()));
    return text + u'\n' + listed(lines);
}

// One line per kind of warning, photos with the same words sharing it; a library's own words
// (the detail) are for the command line only.
QString warnings(const pelmora::BatchResult &result) {
    QStringList kinds; // in the order they first appear
    QHash<QString, QStringList> photosOf;
    int photos = 0;
    for (const pelmora::BatchEntryResult &e : result.entries) {
        if (!e.result.converted() || e.result.warnings.isEmpty())
            continue;
        ++photos;
        QStringList texts;
        for (const pelmora::Warning &warning : e.result.warnings)
            texts.append(warning.text);
        texts.removeDuplicates();
        for (const QString &text : std::as_const(texts)) {
            QStringList &names = photosOf[text];
            if (names.isEmpty())
                kinds.append(text);
            names.append(e.entry.name);
        }
    }
    if (kinds.isEmpty())
        return {};
    QStringList lines;
    for (const QString &kind : std::as_const(kinds)) {
        const QStringList &names = photosOf.value(kind);
        lines.append(names.size() == 1
                         ? names.first() + QStringLiteral(": ") + kind
                         : QCoreApplication::translate("ConversionSummary", "%n 枚の写真: %1",
                                                       nullptr, int(names.size()))
                               .arg(kind));
    }
    return QCoreApplication::translate("ConversionSummary",
                                       "%n 枚の写真は変換しましたが、次の点にご注意ください。",
                                       nullptr, photos) +
           u'\n' + listed(lines);
}

QString stopped(const pelmora::BatchResult &result, ConversionSource source) {
    const int left = int(result.notStartedCount());
    if (left == 0)
        return {};
    if (source == ConversionSource::List)
        return QCoreApplication::translate(
            "ConversionSummary",
            "変換を中止しました。%n 枚の写真は変換せずにリストに残してあります。", nullptr, left);
    return QCoreApplication::translate(
        "ConversionSummary", "変換を中止しました。%n 枚の写真は変換していません。", nullptr, left);
}

} // namespace

QString sizeRefusalNotice(const pelmora::BatchRequest &request,
                          const QList<pelmora::SizeRefusal> &refused, ConversionSource source) {
    const auto nameOf = [&request](const pelmora::SizeRefusal &r) {
        return request.entries.at(r.index).name;
    };
    if (request.entries.size() == 1)
        return singleFailure(nameOf(refused.first()), refused.first().reason);
    QStringList lines;
    for (const pelmora::SizeRefusal &r : refused)
        lines.append(nameOf(r) + QStringLiteral(": ") + r.reason);
    const int count = int(refused.size());
    const QString text =
        count == request.entries.size()
            ? QCoreApplication::translate(
                  "ConversionSummary",
                  "%n 枚の写真はどれも大きすぎて変換できないため、写真は変換していません。",
                  nullptr, count)
        : source == ConversionSource::List
            ? QCoreApplication::translate("ConversionSummary",
                                          "%n "
                                          "枚の写真は大きすぎて変換できないため、リストに残します。"
                                          "ほかの写真は変換します。",
                                          nullptr, count)
            : QCoreApplication::translate(
                  "ConversionSummary",
                  "%n 枚の写真は大きすぎて変換できません。ほかの写真は変換します。", nullptr,
                  count);
    return text + u'\n' + listed(lines);
}

QString undoSummary(const pelmora::UndoReport &report) {
    QString text = QCoreApplication::translate("ConversionSummary", "%n 枚の写真を元に戻しました",
                                               nullptr, int(report.photosBack.size()));
    if (!report.refused.isEmpty())
        text += QCoreApplication::translate(
                    "ConversionSummary",
                    "\n\n次の %n 件は、変換の後に変わっているなどの理由で元に戻していません。\n",
                    nullptr, int(report.refused.size())) +
                listed(report.refused);
    if (report.unreadable > 0)
        text += QCoreApplication::translate("ConversionSummary",
                                            "\n\n変換の記録のうち %n 行を読めませんでした。",
                                            nullptr, report.unreadable);
    return text;
}

QString conversionSummary(const pelmora::BatchResult &result, ConversionSource source) {
    if (!result.started())
        return QCoreApplication::translate(
                   "ConversionSummary",
                   "変換先フォルダを使えないため、写真は変換していません。\n%1")
            .arg(result.fatalError);
    QStringList parts;
    for (const QString &part :
         {stopped(result, source), failures(result, source), warnings(result)}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral("\n\n"));
}
