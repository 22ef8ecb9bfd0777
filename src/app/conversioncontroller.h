#pragma once

#include "batch/batchrunner.h"

#include <QFutureWatcher>
#include <QObject>
#include <atomic>

// Runs one conversion at a time in the background: a batch over the list, the photos dropped on
// the preview, or the current photo alone (a batch of one). While it runs the application shows
// the busy cursor; progress and the result come back on the thread that owns the controller.
class ConversionController : public QObject {
    Q_OBJECT

public:
    explicit ConversionController(QObject *parent = nullptr);
    // Stops after the photos in flight and waits for them: the workers never outlive the
    // controller, and every photo is converted or untouched.
    ~ConversionController() override;

    bool isRunning() const;
    // Starts a conversion; ignored while one runs.
    void start(pelmora::BatchRequest request);
    // Stops the running conversion after the photos in flight.
    void stop();

Q_SIGNALS:
    void progressed(const pelmora::BatchProgress &progress);
    void finished(const pelmora::BatchResult &result);

private:
    void finish();

    QFutureWatcher<pelmora::BatchResult> m_watcher;
    std::atomic<bool> m_cancel = false;
    bool m_running = false;
};
