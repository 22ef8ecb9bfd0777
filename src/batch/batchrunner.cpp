#include "batchrunner.h"

#include "batch/resizetojpeg.h"
#include "files/outputfolder.h"
#include "files/pendingfile.h"
#include "files/photooutput.h"
#include "files/photoplan.h"
#include "imagesize/imagesize.h"
#include "picture/imagelimits.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFuture>
#include <QSemaphore>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <deque>
#include <mutex>

namespace pelmora {

namespace {

struct PendingResize {
    qsizetype index;
    qint64 work;           // the memory it is estimated to take
    QStringList locations; // the photo's and its output's
    QFuture<Result<ResizedPhoto>> future;
};

// The resizes under way. File steps run at most a few entries ahead of the resizes, so that
// cancelling stops the batch close to where the user saw it; a finished resize makes room at
// once, whichever it is, so one slow photo never leaves a worker idle behind it.
class ResizeQueue {
public:
    ResizeQueue(QList<BatchEntryResult> &entries, int workers, UndoJournal *journal)
        : entries_(entries)
        , journal_(journal)
        , limit_(2 * static_cast<size_t>(workers)) {
        pool_.setMaxThreadCount(workers);
    }
    ~ResizeQueue() { finishAll(); }

    void start(qsizetype index, const PhotoPlan &plan, const ResizeSettings &settings) {
        const qint64 work = estimatedWork(plan, settings);
        while (pending_.size() >= limit_ ||
               (!pending_.empty() && working_ + work > kPictureWorkBudget))
            finishAny();
        working_ += work;
        peakWork_ = std::max(peakWork_, working_);
        pending_.push_back({index,
                            work,
                            {locationKey(plan.source), locationKey(plan.destination)},
                            QtConcurrent::run(&pool_, [this, index, plan, settings] {
                                Result<ResizedPhoto> result =
                                    ResizeToJpeg(plan, settings, journal_);
                                {
                                    const std::lock_guard lock(doneMutex_);
                                    done_.push_back(index);
                                }
                                doneCount_.release();
                                return result;
                            })});
    }

    // Waits for every resize that reads or writes a file at one of these locations.
    void waitFor(const QStringList &locations) {
        const auto touches = [&locations](const PendingResize &p) {
            return std::any_of(p.locations.begin(), p.locations.end(),
                               [&locations](const QString &l) { return locations.contains(l); });
        };
        while (std::any_of(pending_.begin(), pending_.end(), touches))
            finishAny();
    }

    qint64 peakWork() const { return peakWork_; }

    // Waiting goes through the workers' own signal, never through a future's result: a future
    // not started yet would run its resize on the waiting thread, the one of the file steps.
    void finishAll() {
        while (!pending_.empty())
            finishAny();
    }

private:
    static qint64 estimatedWork(const PhotoPlan &plan, const ResizeSettings &settings) {
        const std::optional<ImageHeader> header = ReadImageSize(plan.source);
        const QSize stored(header ? header->size.Width : 0, header ? header->size.Height : 0);
        if (stored.isEmpty())
            return kPictureWorkBudget / 2; // a picture of a size its header does not tell
        const Result<int> longerSide = readLongerSide(settings.longerSide);
        return pictureWorkFromHeader(stored, header->format, longerSide ? *longerSide : 0);
    }

    void finish(PendingResize &pending) {
        working_ -= pending.work;
        ConversionResult &result = entries_[pending.index].result;
        const Result<ResizedPhoto> resized = pending.future.result();
        if (resized) {
            result.resized = true;
            result.size = resized->size;
            result.warnings = resized->warnings;
            return;
        }
        result.status = ConversionStatus::Failed;
        result.reason = QCoreApplication::translate("pelmora", "cannot resize %1: %2")
                            .arg(entries_[pending.index].entry.name, resized.reason());
        result.finalPath.clear();
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
    UndoJournal *journal_;
    size_t limit_;
    qint64 working_ = 0;
    qint64 peakWork_ = 0;
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

// The outputs of this batch, so that no photo replaces or rewrites what an earlier one wrote.
class Outputs {
public:
    Status mayWrite(const PhotoPlan &plan) const {
        const bool rewritesOutput =
            (plan.replaces && written_.contains(locationKey(plan.destination))) ||
            ((plan.removesSource || plan.replaces) && written_.contains(locationKey(plan.source)));
        if (rewritesOutput)
            return failure(QCoreApplication::translate(
                               "pelmora", "%1 was written by an earlier photo of this conversion")
                               .arg(QFileInfo(plan.destination).fileName()));
        return {};
    }
    void add(const PhotoPlan &plan) {
        written_.insert(locationKey(plan.destination));
        const QString folder = QFileInfo(plan.destination).absolutePath();
        if (plan.output != Output::Rename && !swept_.contains(folder)) {
            swept_.insert(folder);
            removeStaleTemporaryFiles(folder);
        }
    }

private:
    QSet<QString> written_;
    QSet<QString> swept_;
};

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
    std::unique_ptr<UndoJournal> journal;
    if (!request.journalPath.isEmpty()) {
        Result<std::unique_ptr<UndoJournal>> started =
            UndoJournal::start(request.journalPath, request.pattern.number);
        if (!started) {
            batch.fatalError = started.reason();
            return batch;
        }
        journal = std::move(started).value();
    }

    const int workers = request.workers > 0 ? request.workers : QThread::idealThreadCount();
    ResizeQueue resizes(batch.entries, std::max(workers, 1), journal.get());
    Outputs outputs;
    NamePattern pattern = request.pattern;

    for (qsizetype i = 0; i < request.entries.size(); ++i) {
        if (cancel && cancel->load())
            break;

        const PhotoEntry &entry = request.entries[i];
        BatchEntryResult &slot = batch.entries[i];
        ConversionResult &result = slot.result;
        slot.targetName = targetNameOf(request, pattern, entry);
        if (slot.targetName.isEmpty()) {
            result.status = ConversionStatus::MissingTargetName;
            result.reason = QCoreApplication::translate(
                "pelmora", "no target name: the title, number and extension give an empty name");
        } else {
            result.numberUsed = request.rename;
            // The plan looks at the disk as one conversion after another would find it.
            resizes.waitFor({locationKey(entry.path())});
            Result<PhotoPlan> plan =
                locatePhoto(entry, outputFolder, slot.targetName, request.rename, request.resize);
            Status ready = plan ? Status() : Status(failure(plan.reason()));
            if (ready) {
                resizes.waitFor({locationKey(plan->source), locationKey(plan->destination)});
                ready = settleDestination(*plan, request.rename);
            }
            if (ready)
                ready = outputs.mayWrite(*plan);
            if (ready) {
                outputs.add(*plan);
                if (plan->output != Output::Picture)
                    ready = carryOut(*plan, journal.get());
            }
            if (ready) {
                result.status = ConversionStatus::Converted;
                result.finalPath = plan->destination;
                result.copied = !plan->inPlace;
                result.renamed =
                    QFileInfo(plan->destination).fileName() != QFileInfo(plan->source).fileName();
                if (plan->output == Output::Picture)
                    resizes.start(i, *plan, request.resizeSettings);
            } else {
                result.status = ConversionStatus::Failed;
                result.reason = ready.reason();
            }
        }
        if (result.numberUsed)
            pattern.number = advanceNumber(pattern.number);
        if (progress)
            progress({i, request.entries.size(), slot.targetName, pattern.number});
    }

    resizes.finishAll();
    batch.finalNumber = pattern.number;
    batch.peakPictureWork = resizes.peakWork();
    return batch;
}

} // namespace pelmora
