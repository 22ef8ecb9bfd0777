#include "conversion.h"

#include "convert/outputfolder.h"
#include "convert/renamefile.h"
#include "convert/safecopy.h"

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

QString missingTargetNameMessage() {
    return QStringLiteral("ファイル名か空白か変換するファイルが選択されていません");
}

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
        CopyResult copied;
        if (resizeFollows && !targetName.isEmpty()) {
            copied = linkReplacing(source, copy);
            if (copied.ok && !copied.sameFile)
                result.linkedFrom = source;
        }
        if (!copied.ok)
            copied = copyReplacing(source, copy);
        if (copied.ok) {
            result.finalPath = copy;
            result.copied = !copied.sameFile;
        } else {
            fail(result, copied.error);
        }
    }

    if (targetName.isEmpty()) {
        result.status = ConversionStatus::MissingTargetName;
        if (result.reason.isEmpty())
            result.reason = missingTargetNameMessage();
        return result;
    }

    if (rename) {
        result.numberUsed = true;
        if (!result.finalPath.isEmpty()) {
            const RenameResult renamed = renameInFolder(result.finalPath, targetName);
            if (renamed.ok) {
                result.renamed = renamed.path != result.finalPath;
                result.finalPath = renamed.path;
            } else {
                fail(result, renamed.error);
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

void addResizeOutcome(ConversionResult &result, const ResizeResult &resize) {
    const QString linkedFrom = std::exchange(result.linkedFrom, QString());
    if (resize.ok) {
        result.resized = true;
        result.size = resize.size;
        return;
    }
    fail(result, QCoreApplication::translate("pelmora", "cannot resize %1: %2")
                     .arg(QFileInfo(result.finalPath).fileName(), resize.error));
    // The output stays as the copy it stands for, a file of its own.
    if (!linkedFrom.isEmpty()) {
        const CopyResult copied = unlinkFromSource(linkedFrom, result.finalPath);
        if (!copied.ok)
            fail(result, copied.error);
    }
}

ConversionResult convertPhoto(const ConversionRequest &request) {
    const OutputFolderResult folder = prepareOutputFolder(request.outputFolder);
    if (!folder.ok) {
        ConversionResult result;
        result.status = ConversionStatus::OutputFolderUnusable;
        result.reason = folder.error;
        return result;
    }

    ConversionResult result = convertFileSteps(request.photo, request.targetName, folder.folder,
                                               request.rename, request.resize);
    if (request.resize && needsResize(result))
        addResizeOutcome(result, ResizeToJpeg(result.finalPath, request.resizeSettings,
                                              resizeDurability(folder.folder)));
    return result;
}

} // namespace pelmora
