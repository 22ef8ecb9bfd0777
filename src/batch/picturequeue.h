#pragma once

#include "batch/resizesettings.h"
#include "batch/resizetojpeg.h"
#include "result/result.h"

#include <QHash>
#include <QString>
#include <QThreadPool>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace pelmora {

// The picture work of a batch: photos decoded, resized, stamped and encoded on a private thread
// pool while the file steps go on, as many at once as their estimated memory fits
// kPictureWorkBudget (a photo beyond it works alone). The workers and their encoders' threads
// keep no more threads busy than there are cores. The workers touch no file but the photo they
// read; their pictures are taken by the list's place of their photo, in any order.
class PictureQueue {
public:
    PictureQueue(int workers, ResizeSettings settings);
    // Waits for the pictures still being made.
    ~PictureQueue();
    PictureQueue(const PictureQueue &) = delete;
    PictureQueue &operator=(const PictureQueue &) = delete;

    // What the picture work of the photo at path, written in the format, is estimated to take,
    // from its header.
    qint64 estimatedWork(const QString &path, PictureFormat format) const;
    // Whether a photo of that estimate may start now.
    bool fits(qint64 work) const;
    void start(qsizetype index, const QString &path, PictureFormat format, qint64 work);
    bool isStarted(qsizetype index) const;
    bool isDone(qsizetype index) const;
    // How many pictures are done so far.
    qint64 doneCount() const;
    // Waits until more than seen pictures are done, or none is being made.
    void waitForMoreThan(qint64 seen);
    // The picture of a photo that is done; it is forgotten.
    Result<ResizedPhoto> take(qsizetype index);
    // Forgets the picture of a photo, once it is done.
    void drop(qsizetype index);

    // The most memory the photos at work were estimated to take at once.
    qint64 peakWork() const;

private:
    struct Job {
        qint64 work = 0;
        std::optional<Result<ResizedPhoto>> picture; // once done
        bool dropped = false;
    };

    const ResizeSettings m_settings;
    const int m_encoderThreads; // each photo's encoder: the workers share the cores
    mutable std::mutex m_mutex;
    std::condition_variable m_done;
    QHash<qsizetype, Job> m_jobs;
    qint64 m_working = 0;
    qint64 m_peak = 0;
    int m_busy = 0;
    qint64 m_doneCount = 0;
    QThreadPool m_pool; // last: its destructor waits for the tasks that use the members above
};

} // namespace pelmora
