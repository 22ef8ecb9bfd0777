#include "batchrunner.h"

#include "batch/picturequeue.h"
#include "files/conversiontransaction.h"
#include "files/journal.h"
#include "files/outputfolder.h"
#include "imagesize/imagesize.h"
#include "picture/imagelimits.h"
#include "picture/metadata.h"
#include "picture/photoloader.h"
#include "picture/pictureformat.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace pelmora {

namespace {

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

// The entries with their target names, and the running number after the last of them. The names
// do not depend on how the photos fare: with renaming on, every named photo uses a number.
struct NamedEntries {
    QList<BatchEntryResult> entries;
    QString numberAfter;
};

NamedEntries namedEntries(const BatchRequest &request) {
    NamedEntries named;
    NamePattern pattern = request.pattern;
    for (const PhotoEntry &entry : request.entries) {
        const QString name = targetNameOf(request, pattern, entry);
        named.entries.append({entry, name, ConversionResult()});
        if (request.rename && !name.isEmpty())
            pattern.number = advanceNumber(pattern.number);
    }
    named.numberAfter = pattern.number;
    return named;
}

QString missingName() {
    return QCoreApplication::translate(
        "pelmora", "no target name: the title, number and extension give an empty name");
}

void fail(ConversionResult &result, const QString &reason) {
    result.status = ConversionStatus::Failed;
    result.reason = reason;
}

// One conversion of a batch, photo by photo in list order. Each photo is planned as the disk is
// when its turn comes, and carried out by the transaction on this thread; its picture has been
// started on the workers earlier, from a plan made a few photos ahead against what the photos
// before it will have done, so that the workers are busy while the disk steps go on.
class BatchRun {
public:
    BatchRun(const BatchRequest &request, const PlanSettings &settings, BatchResult &batch,
             const std::atomic<bool> *cancel)
        : m_request(request)
        , m_settings(settings)
        , m_batch(batch)
        , m_cancel(cancel)
        , m_transaction(journalFolder(request.driver), request.pattern.number)
        , m_pictures(workers(request), request.resizeSettings)
        , m_window(2 * workers(request)) {}

    void run(const BatchProgressCallback &progress) {
        // The output folder is made first, whatever becomes of the photos.
        if (!m_settings.outputFolder.isEmpty()) {
            if (Status made = m_transaction.makeFolder(m_settings.outputFolder); !made) {
                m_batch.fatalError = made.reason();
                m_batch.conversion = m_transaction.journalPath();
                return;
            }
        }
        const qsizetype count = m_batch.entries.size();
        for (qsizetype i = 0; i < count && !cancelled(); ++i) {
            m_current = i;
            planAhead();
            convert(i);
            if (m_batch.entries[i].result.numberUsed)
                m_batch.finalNumber = advanceNumber(m_batch.finalNumber);
            if (progress)
                progress({i, count, m_batch.entries[i].targetName, m_batch.finalNumber});
        }
        m_batch.peakPictureWork = m_pictures.peakWork();
        m_transaction.finish();
        m_batch.conversion = m_transaction.journalPath();
    }

private:
    static int workers(const BatchRequest &request) {
        return std::max(request.workers > 0 ? request.workers : QThread::idealThreadCount(), 1);
    }

    bool cancelled() const { return m_cancel && m_cancel->load(); }

    // Plans the photos after the current one and starts their pictures while the memory budget
    // has room.
    void planAhead() {
        const qsizetype count = m_batch.entries.size();
        while (m_planned < count && m_planned <= m_current + m_window) {
            const BatchEntryResult &slot = m_batch.entries[m_planned];
            if (!slot.targetName.isEmpty() && !slot.result.refusedForSize) {
                const Result<PhotoPlan> plan =
                    planPhoto(slot.entry, slot.targetName, m_settings, m_ahead);
                if (plan && plan->writesPicture() && !m_pictures.isStarted(m_planned)) {
                    const Result<PictureFormat> format = pictureFormatForName(plan->destination);
                    if (format && !startPicture(m_planned, plan->source, *format))
                        return; // once some room is made
                }
                if (plan)
                    m_ahead.add(*plan);
            }
            ++m_planned;
        }
    }

    // Starts the photo's picture when the memory budget has room for it; its estimate, read
    // from its header, is kept while it waits for room.
    bool startPicture(qsizetype index, const QString &source, PictureFormat format) {
        if (m_waiting.first != index)
            m_waiting = {index, m_pictures.estimatedWork(source, format)};
        if (!m_pictures.fits(m_waiting.second))
            return false;
        m_pictures.start(index, source, format, m_waiting.second);
        m_waiting.first = -1;
        return true;
    }

    void convert(qsizetype i) {
        BatchEntryResult &slot = m_batch.entries[i];
        ConversionResult &result = slot.result;
        if (slot.targetName.isEmpty()) {
            result.status = ConversionStatus::MissingTargetName;
            result.reason = missingName();
            return;
        }
        result.numberUsed = m_request.rename;
        if (result.refusedForSize) { // failed already; it changes nothing, so nothing plans on it
            if (m_planned == i)
                m_planned = i + 1;
            return;
        }
        const Result<PhotoPlan> plan = m_transaction.plan(slot.entry, slot.targetName, m_settings);
        if (m_planned == i) { // not planned ahead: the photos after it are planned after it
            if (plan)
                m_ahead.add(*plan);
            m_planned = i + 1;
        }
        if (!plan || !plan->writesPicture())
            m_pictures.drop(i);
        if (!plan)
            return fail(result, plan.reason());
        result.plan = *plan;

        QByteArray bytes;
        if (plan->writesPicture()) {
            // Checked before anything is written: a name must not promise another format.
            const Result<PictureFormat> format = pictureFormatForName(plan->destination);
            if (!format)
                return fail(result, format.reason());
            const Result<ResizedPhoto> picture = pictureOf(i, plan->source, *format);
            if (!picture)
                return fail(result, picture.reason());
            bytes = picture->picture.bytes;
            result.size = picture->picture.size;
            result.warnings = picture->picture.warnings;
        }
        const Result<Warnings> done = m_transaction.carryOut(i, *plan, bytes);
        if (!done) {
            result.warnings.clear();
            return fail(result, done.reason());
        }
        result.status = ConversionStatus::Converted;
        result.finalPath = plan->destination;
        result.resized = plan->writesPicture();
        result.warnings += *done;
    }

    // The photo's picture, made from the file the plan reads as that file is now: a picture made
    // before an earlier photo (or another program) changed it is made again.
    Result<ResizedPhoto> pictureOf(qsizetype i, const QString &source, PictureFormat format) {
        for (int made = 0;;) {
            const qint64 seen = m_pictures.doneCount();
            if (!m_pictures.isStarted(i)) {
                startPicture(i, source, format);
            } else if (m_pictures.isDone(i)) {
                Result<ResizedPhoto> picture = m_pictures.take(i);
                if (!picture || picture->source == identityOf(source) || ++made == 2)
                    return picture;
                continue;
            }
            planAhead(); // while waiting, as room is made
            m_pictures.waitForMoreThan(seen);
        }
    }

    const BatchRequest &m_request;
    const PlanSettings m_settings;
    BatchResult &m_batch;
    const std::atomic<bool> *m_cancel;
    ConversionTransaction m_transaction;
    PictureQueue m_pictures;
    ConversionChanges m_ahead; // what the photos planned ahead will have done
    const qsizetype m_window;  // how many photos are planned ahead of the current one
    qsizetype m_current = 0;
    qsizetype m_planned = 0;                       // the photos before it are planned ahead
    std::pair<qsizetype, qint64> m_waiting{-1, 0}; // the photo waiting for room, its estimate
};

// Whether the plan's picture can be made, as far as can be told without making it: its name asks
// for a format we write, and its photo is a picture a decoder takes.
Status checkPictureCanBeMade(const PhotoPlan &plan) {
    if (const Result<PictureFormat> format = pictureFormatForName(plan.destination); !format)
        return failure(format.reason());
    return checkPhotoReadable(plan.source);
}

// What each photo's conversion would do, planned exactly as the conversion plans it.
void planOnly(const PlanSettings &settings, BatchResult &batch) {
    ConversionChanges changes;
    for (BatchEntryResult &slot : batch.entries) {
        ConversionResult &result = slot.result;
        if (slot.targetName.isEmpty()) {
            result.status = ConversionStatus::MissingTargetName;
            result.reason = missingName();
            continue;
        }
        if (result.refusedForSize)
            continue;
        const Result<PhotoPlan> plan = planPhoto(slot.entry, slot.targetName, settings, changes);
        const Status readable =
            plan && plan->writesPicture() ? checkPictureCanBeMade(*plan) : Status();
        if (!plan) {
            fail(result, plan.reason());
        } else if (!readable) {
            fail(result, readable.reason());
        } else {
            result.status = ConversionStatus::Planned;
            result.plan = *plan;
            changes.add(*plan);
        }
    }
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

QList<SizeRefusal> photosRefusedForSize(const BatchRequest &request) {
    if (!request.resize)
        return {};
    const Result<int> longerSide = readLongerSide(request.resizeSettings.longerSide);
    if (!longerSide)
        return {}; // every picture fails with the reason
    QList<SizeRefusal> refused;
    const QList<BatchEntryResult> entries = namedEntries(request).entries;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].targetName.isEmpty())
            continue;
        const std::optional<ImageHeader> header = ReadImageSize(entries[i].entry.path());
        if (!header || !header->cameraRaw.isEmpty())
            continue;
        const QSize stored(header->size.Width, header->size.Height);
        if (const Status size = checkSizeFromHeader(stored, header->format, *longerSide); !size)
            refused.append({i, size.reason()});
    }
    return refused;
}

BatchResult runBatch(const BatchRequest &request, const BatchProgressCallback &progress,
                     const std::atomic<bool> *cancel) {
    BatchResult batch;
    batch.dryRun = request.dryRun;
    batch.finalNumber = request.pattern.number;
    NamedEntries named = namedEntries(request);
    batch.entries = std::move(named.entries);

    // A broken install must not cost every resized photo its metadata.
    if (request.resize && request.resizeSettings.metadata != MetadataPolicy::Strip) {
        if (const Status ready = metadataModuleReady(); !ready) {
            batch.fatalError = ready.reason();
            return batch;
        }
    }
    const Result<QString> outputFolder = checkOutputFolder(request.outputFolder);
    if (!outputFolder) {
        batch.fatalError = outputFolder.reason();
        return batch;
    }
    const QList<SizeRefusal> refused =
        request.sizeRefusals ? *request.sizeRefusals : photosRefusedForSize(request);
    for (const SizeRefusal &refusal : refused) {
        ConversionResult &result = batch.entries[refusal.index].result;
        fail(result, refusal.reason);
        result.refusedForSize = true;
    }
    const PlanSettings settings{*outputFolder, request.rename, request.resize};
    if (request.dryRun) {
        planOnly(settings, batch);
        batch.finalNumber = named.numberAfter;
        return batch;
    }
    BatchRun(request, settings, batch, cancel).run(progress);
    return batch;
}

} // namespace pelmora
