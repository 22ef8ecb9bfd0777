#include "dryrun.h"

#include "cli/conversionline.h"
#include "picture/pictureformat.h"

#include <QFileInfo>

namespace pelmora {

namespace {

QString planLine(const PhotoPlan &plan) {
    QString line = conversionLine(plan.photo, plan.destination);
    if (plan.writesPicture()) // planned: a format we write
        line += QStringLiteral(", written as ") +
                pictureFormatName(pictureFormatForName(plan.destination).value());
    switch (plan.action) {
    case PhotoAction::Keep:
        return line + QStringLiteral(", unchanged");
    case PhotoAction::CopyOver:
    case PhotoAction::WriteOver:
        return line +
               (plan.destination == plan.photo
                    ? QStringLiteral(", and the photo goes to the trash")
                    : QStringLiteral(", in place of the file there, which goes to the trash"));
    case PhotoAction::CopyAndSetAside:
    case PhotoAction::WriteAndSetAside:
        return line + QStringLiteral(", and the photo goes to the trash");
    case PhotoAction::Rename:
    case PhotoAction::Copy:
    case PhotoAction::Write:
        break;
    }
    return line;
}

} // namespace

int runDryRun(const ConvertOptions &options, QTextStream &out, QTextStream &err) {
    const BatchRequest &request = options.request;
    const BatchResult batch = runBatch(request);
    if (!batch.started()) {
        err << "pelmora convert: " << batch.fatalError << '\n';
        return 1;
    }
    if (!request.outputFolder.isEmpty() && !QFileInfo(request.outputFolder).isDir())
        out << "would create the folder " << request.outputFolder << '\n';
    qsizetype planned = 0;
    qsizetype failed = options.notRead.size();
    for (const NotRead &unread : options.notRead)
        err << unread.path << ": " << unread.reason << '\n';
    for (const BatchEntryResult &entry : batch.entries) {
        if (entry.result.status == ConversionStatus::Planned) {
            out << planLine(entry.result.plan) << '\n';
            ++planned;
        } else {
            out << entry.entry.path() << ": would fail: " << entry.result.reason << '\n';
            ++failed;
        }
    }
    out << "would convert " << planned << ", fail " << failed << ", next number "
        << batch.finalNumber << '\n';
    return failed == 0 ? 0 : 1;
}

} // namespace pelmora
