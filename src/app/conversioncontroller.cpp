#include "conversioncontroller.h"

#include <QCursor>
#include <QGuiApplication>
#include <QtConcurrent/QtConcurrentRun>

ConversionController::ConversionController(QObject *parent)
    : QObject(parent) {
    connect(&m_watcher, &QFutureWatcher<pelmora::BatchResult>::finished, this,
            &ConversionController::finish);
}

ConversionController::~ConversionController() {
    if (!m_running)
        return;
    m_cancel = true;
    m_watcher.waitForFinished();
    QGuiApplication::restoreOverrideCursor();
}

bool ConversionController::isRunning() const {
    return m_running;
}

void ConversionController::start(pelmora::BatchRequest request) {
    if (m_running)
        return;
    m_running = true;
    m_cancel = false;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_watcher.setFuture(QtConcurrent::run([this, request = std::move(request)] {
        return pelmora::runBatch(
            request,
            [this](const pelmora::BatchProgress &progress) {
                QMetaObject::invokeMethod(
                    this, [this, progress] { Q_EMIT progressed(progress); }, Qt::QueuedConnection);
            },
            &m_cancel);
    }));
}

void ConversionController::stop() {
    m_cancel = true;
}

void ConversionController::finish() {
    m_running = false;
    QGuiApplication::restoreOverrideCursor();
    Q_EMIT finished(m_watcher.result());
}
