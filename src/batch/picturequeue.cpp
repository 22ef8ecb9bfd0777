#include "picturequeue.h"

#include "imagesize/imagesize.h"
#include "picture/imagelimits.h"

#include <QThread>
#include <algorithm>
#include <memory>

namespace pelmora {

PictureQueue::PictureQueue(int workers, ResizeSettings settings)
    : m_settings(std::move(settings))
    , m_encoderThreads(std::max(QThread::idealThreadCount() / std::max(workers, 1), 1)) {
    m_pool.setMaxThreadCount(std::max(workers, 1));
}

PictureQueue::~PictureQueue() {
    m_pool.waitForDone();
}

qint64 PictureQueue::estimatedWork(const QString &path, PictureFormat format) const {
    const std::optional<ImageHeader> header = ReadImageSize(path);
    const QSize stored(header ? header->size.Width : 0, header ? header->size.Height : 0);
    if (stored.isEmpty())
        return kPictureWorkBudget / 2; // a picture of a size its header does not tell
    const Result<int> longerSide = readLongerSide(m_settings.longerSide);
    return pictureWorkFromHeader(stored, header->format, longerSide ? *longerSide : 0, format);
}

bool PictureQueue::fits(qint64 work) const {
    const std::lock_guard lock(m_mutex);
    return m_busy == 0 || m_working + work <= kPictureWorkBudget;
}

void PictureQueue::start(qsizetype index, const QString &path, PictureFormat format, qint64 work) {
    // Opened here, on the thread that takes the file steps: the worker reads the file the plan
    // saw, whatever becomes of its name meanwhile.
    Result<PhotoFile> opened = PhotoFile::open(path);
    const std::lock_guard lock(m_mutex);
    if (!opened) {
        ++m_doneCount;
        m_jobs[index] = Job{0, Result<ResizedPhoto>(failure(opened.reason())), false};
        m_done.notify_all();
        return;
    }
    m_jobs[index] = Job{work, std::nullopt, false};
    m_working += work;
    m_peak = std::max(m_peak, m_working);
    ++m_busy;
    auto photo = std::make_shared<PhotoFile>(std::move(opened).value());
    m_pool.start([this, index, photo, format, work] {
        Result<ResizedPhoto> picture = ResizeToJpeg(*photo, format, m_settings, m_encoderThreads);
        const std::lock_guard lock(m_mutex);
        m_working -= work;
        --m_busy;
        ++m_doneCount;
        Job &job = m_jobs[index];
        if (job.dropped)
            m_jobs.remove(index);
        else
            job.picture.emplace(std::move(picture));
        m_done.notify_all();
    });
}

bool PictureQueue::isStarted(qsizetype index) const {
    const std::lock_guard lock(m_mutex);
    return m_jobs.contains(index);
}

bool PictureQueue::isDone(qsizetype index) const {
    const std::lock_guard lock(m_mutex);
    const auto job = m_jobs.constFind(index);
    return job != m_jobs.cend() && job->picture.has_value();
}

qint64 PictureQueue::doneCount() const {
    const std::lock_guard lock(m_mutex);
    return m_doneCount;
}

void PictureQueue::waitForMoreThan(qint64 seen) {
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this, seen] { return m_doneCount > seen || m_busy == 0; });
}

Result<ResizedPhoto> PictureQueue::take(qsizetype index) {
    const std::lock_guard lock(m_mutex);
    Result<ResizedPhoto> picture = std::move(*m_jobs[index].picture);
    m_jobs.remove(index);
    return picture;
}

void PictureQueue::drop(qsizetype index) {
    const std::lock_guard lock(m_mutex);
    const auto job = m_jobs.find(index);
    if (job == m_jobs.end())
        return;
    if (job->picture)
        m_jobs.erase(job);
    else
        job->dropped = true;
}

qint64 PictureQueue::peakWork() const {
    const std::lock_guard lock(m_mutex);
    return m_peak;
}

} // namespace pelmora
