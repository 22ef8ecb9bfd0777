#include "conversion.h"

#include "files/outputfolder.h"
#include "files/renamefile.h"
#include "files/safecopy.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <utility>

namespace pelmora {

namespace {

void fail(ConversionResult &result, const QString &reason) {
    result.status = ConversionStatus::Failed;
    result.reason =
        result.reason.isEmpty() ? reason : result.reason + QStringLiteral("; ") + reason;
}

} // namespace

ConversionResult convertFileSteps(const PhotoEntry &photo, const QString &targetName,
                                  const QString &preparedFolder, bool rename, bool resizeFollows) {
    ConversionResult result;
    result.status = ConversionStatus::Converted;

    const QString source = photo.path();
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists()) {
        fail(result, QCoreApplication::translate("pelmora", "photo not found"));
    } else if (!sourceInfo.isFile()) {
        fail(result, QCoreApplication::translate("pelmora", "not a file"));
    } else if (preparedFolder.isEmpty()) {
        result.finalPath = source;
    } else {
        const QString copy = preparedFolder + photo.name;
        std::optional<Result<Copied>> linked;
        if (resizeFollows && !targetName.isEmpty()) {
            linked = linkReplacing(source, copy);
            if (linked->ok() && linked->value() == Copied::Written)
                result.linkedFrom = source;
        }
        const Result<Copied> copied =
            linked && linked->ok() ? *linked : copyReplacing(source, copy);
        if (copied) {
            result.finalPath = copy;
            result.copied = *copied == Copied::Written;
        } else {
            fail(result, copied.reason());
        }
    }

    if (targetName.isEmpty()) {
        result.status = ConversionStatus::MissingTargetName;
        if (result.reason.isEmpty())
            result.reason = QCoreApplication::translate(
                "pelmora", "no target name: the title, number and extension give an empty name");
        return result;
    }

    if (rename) {
        result.numberUsed = true;
        if (!result.finalPath.isEmpty()) {
            const Result<QString> renamed = renameInFolder(result.finalPath, targetName);
            if (renamed) {
                result.renamed = *renamed != result.finalPath;
                result.finalPath = *renamed;
            } else {
                fail(result, renamed.reason());
            }
        }
    }
    return result;
}

Durability resizeDurability(const QString &preparedFolder) {
    return preparedFolder.isEmpty() ? Durability::FlushToDisk : Durability::LeaveToSystem;
}

bool needsResize(const ConversionResult &fileSteps) {
    // A failed rename leaves the file under its old name; the resize still works on it there.
    return !fileSteps.finalPath.isEmpty() && (fileSteps.status == ConversionStatus::Converted ||
                                              fileSteps.status == ConversionStatus::Failed);
}

void addResizeOutcome(ConversionResult &result, const Result<ResizedPhoto> &resize) {
    const QString linkedFrom = std::exchange(result.linkedFrom, QString());
    if (resize) {
        result.resized = true;
        result.size = resize->size;
        result.warnings += resize->warnings;
        return;
    }
    fail(result, QCoreApplication::translate("pelmora", "cannot resize %1: %2")
                     .arg(QFileInfo(result.finalPath).fileName(), resize.reason()));
    // The output stays as the copy it stands for, a file of its own.
    if (!linkedFrom.isEmpty()) {
        if (const Status copied = unlinkFromSource(linkedFrom, result.finalPath); !copied)
            fail(result, copied.reason());
    }
}

ConversionResult convertPhoto(const ConversionRequest &request) {
    const Result<QString> folder = prepareOutputFolder(request.outputFolder);
    if (!folder) {
        ConversionResult result;
        result.status = ConversionStatus::OutputFolderUnusable;
        result.reason = folder.reason();
        return result;
    }

    ConversionResult result = convertFileSteps(request.photo, request.targetName, *folder,
                                               request.rename, request.resize);
    if (request.resize && needsResize(result))
        addResizeOutcome(result, ResizeToJpeg(result.finalPath, request.resizeSettings,
                                              resizeDurability(*folder)));
    return result;
}

} // namespace pelmora
