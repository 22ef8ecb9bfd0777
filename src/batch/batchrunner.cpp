#include "batchrunner.h"

#include "batch/resizetojpeg.h"
#include "files/outputfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QFuture>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <deque>
#include <mutex>

namespace pelmora {

namespace {

// One spelling per file location, so that "a//b.jpg", "x/../a/b.jpg" and a linked folder meet.
QString locationKey(const QString &path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return (canonical.isEmpty() ? QDir::cleanPath(folder) : canonical) + u'/' + info.fileName();
}

struct PendingResize {
    qsizetype index;
    QString location;
    QFuture<Result<ResizedPhoto>> future;
};

// The resizes under way. File steps run at most a few entries ahead of the resizes, so that
// cancelling stops the batch close to where the user saw it; a finished resize makes room at
// once, whichever it is, so one slow photo never leaves a worker idle behind it.
class ResizeQueue {
public:
    ResizeQueue(QList<BatchEntryResult> &entries, int workers)
        : entries_(entries)
        , limit_(2 * static_cast<size_t>(workers)) {
        pool_.setMaxThreadCount(workers);
    }
    ~ResizeQueue() { finishAll(); }

    void start(qsizetype index, const ResizeSettings &settings, Durability durability) {
        while (pending_.size() >= limit_)
            finishAny();
        const QString path = entries_[index].result.finalPath;
        pending_.push_back({index, locationKey(path),
                            QtConcurrent::run(&pool_, [this, index, path, settings, durability] {
                                Result<ResizedPhoto> result =
                                    ResizeToJpeg(path, settings, durability);
                                {
                                    const std::lock_guard lock(doneMutex_);
                                    done_.push_back(index);
                                }
                                doneCount_.release();
                                return result;
                            })});
    }

    // Waits for every resize of a file at one of these locations.
    void waitFor(const QStringList &locations) {
        for (auto it = pending_.begin(); it != pending_.end();) {
            if (locations.contains(it->location)) {
                finish(*it);
                it = pending_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void finishAll() {
        while (!pending_.empty()) {
            finish(pending_.front());
            pending_.pop_front();
        }
    }

private:
    void finish(PendingResize &pending) {
        addResizeOutcome(entries_[pending.index].result, pending.future.result());
    }

    // Waits until some resize has finished and takes its result. Every resize announces itself
    // once; one already taken by waitFor is passed over.
    void finishAny() {
        for (;;) {
            doneCount_.acquire();
            qsizetype index = 0;
            {
                const std::lock_guard lock(doneMutex_);
                index = done_.front();
                done_.pop_front();
            }
            const auto it =
                std::find_if(pending_.begin(), pending_.end(),
                             [index](const PendingResize &p) { return p.index == index; });
            if (it != pending_.end()) {
                finish(*it);
                pending_.erase(it);
                return;
            }
        }
    }

    QList<BatchEntryResult> &entries_;
    size_t limit_;
    std::deque<PendingResize> pending_;
    std::mutex doneMutex_;
    std::deque<qsizetype> done_;
    QSemaphore doneCount_;
    QThreadPool pool_; // last: its destructor waits for the tasks that still use the members above
};

QString targetNameOf(const BatchRequest &request, const NamePattern &pattern,
                     const PhotoEntry &entry) {
    switch (request.naming) {
    case TargetNaming::Given:
        return request.givenTargetName;
    case TargetNaming::Pattern:
        return targetName(pattern, entry.name);
    case TargetNaming::FollowRenaming:
        break;
    }
    return request.rename ? targetName(pattern, entry.name) : entry.name;
}

} // namespace

qsizetype BatchResult::convertedCount() const {
    return std::count_if(entries.begin(), entries.end(),
                         [](const BatchEntryResult &e) { return e.result.converted(); });
}

qsizetype BatchResult::failedCount() const {
    return std::count_if(entries.begin(), entries.end(), [](const BatchEntryResult &e) {
        return e.result.status == ConversionStatus::Failed ||
               e.result.status == ConversionStatus::MissingTargetName;
    });
}

qsizetype BatchResult::notStartedCount() const {
    return std::count_if(entries.begin(), entries.end(), [](const BatchEntryResult &e) {
        return e.result.status == ConversionStatus::NotStarted;
    });
}

BatchResult runBatch(const BatchRequest &request, const BatchProgressCallback &progress,
                     const std::atomic<bool> *cancel) {
    BatchResult batch;
    batch.finalNumber = request.pattern.number;
    for (const PhotoEntry &entry : request.entries)
        batch.entries.append({entry, QString(), ConversionResult()});

    const Result<QString> prepared = prepareOutputFolder(request.outputFolder);
    if (!prepared) {
        batch.fatalError = prepared.reason();
        return batch;
    }
    const QString &outputFolder = *prepared;

    const int workers = request.workers > 0 ? request.workers : QThread::idealThreadCount();
    ResizeQueue resizes(batch.entries, std::max(workers, 1));
    NamePattern pattern = request.pattern;

    for (qsizetype i = 0; i < request.entries.size(); ++i) {
        if (cancel && cancel->load())
            break;

        const PhotoEntry &entry = request.entries[i];
        const QString target = targetNameOf(request, pattern, entry);
        const QString workFolder = outputFolder.isEmpty() ? entry.folder : outputFolder;
        QStringList touched{locationKey(entry.path()),
                            locationKey(workFolder + (request.rename ? target : entry.name))};
        if (!outputFolder.isEmpty())
            touched.append(locationKey(outputFolder + entry.name));
        resizes.waitFor(touched);

        BatchEntryResult &slot = batch.entries[i];
        slot.targetName = target;
        slot.result = convertFileSteps(entry, target, outputFolder, request.rename, request.resize);
        if (slot.result.numberUsed)
            pattern.number = advanceNumber(pattern.number);

        if (progress)
            progress({i, request.entries.size(), target, pattern.number});

        if (request.resize && needsResize(slot.result))
            resizes.start(i, request.resizeSettings, resizeDurability(outputFolder));
    }

    resizes.finishAll();
    batch.finalNumber = pattern.number;
    return batch;
}

} // namespace pelmora
