#pragma once

#include "batch/batchrunner.h"
#include "batch/conversion.h"
#include "batch/resizesettings.h"
#include "naming/targetname.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>

namespace Ui {
class MainWindow;
}
class QMenu;
class QStyle;

// The one window: the photo list, the naming pattern, the resize settings and the preview.
// Rules live in the core library; this class reads the fields and shows results.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Adds paths to the photo list exactly as a drop on it does.
    void addPhotos(const QStringList &paths);

    // Whether the current photo, a batch or a drop on the preview is converting right now.
    bool isConverting() const;

    // The current photo: its folder (ending with a separator), its name and its target name.
    QString SrcDir;
    QString SrcName;
    QString DstName;
    // Direction of the reorder auto-repeat: true moves entries up.
    bool RepeatUp = false;

Q_SIGNALS:
    // A conversion (of the current photo, a batch or a drop on the preview) has finished and
    // the window shows its outcome.
    void conversionFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    pelmora::NamePattern namePattern() const;
    void UpdateNewName();
    void onTitleChanged();
    void onCkFileClicked();
    void onCkResizeClicked();

    void deleteSelected();
    void clearList();
    void moveSelection(bool up);
    void startRepeat(bool up);

    void onListPressed();
    void LoadPreview(const QString &path);
    void FitPreview(QSize picture);

    pelmora::ResizeSettings resizeSettings() const;
    void showMessage(const QString &text);
    void convertCurrentPhoto();
    void finishCurrentPhoto();
    void convertList();
    void convertDroppedPhotos(const QStringList &paths);
    void startConversion(pelmora::BatchRequest request, bool fromList);
    void showProgress(const pelmora::BatchProgress &progress);
    void finishConversion();
    void setEditingEnabled(bool enabled);

    void chooseOutputFolder();
    void chooseSignatureFont();

    Ui::MainWindow *ui;
    QMenu *List;
    QTimer Timer1;
    std::unique_ptr<QStyle> m_frameTitleStyle;

    // The size the last signature was stamped at: a size field that cannot be read keeps it.
    double m_stampPointSize = 9.0;

    // The conversion running in the background, and whether it works through the list.
    QFutureWatcher<pelmora::BatchResult> m_conversion;
    std::atomic<bool> m_cancel = false;
    bool m_convertingList = false;
    pelmora::BatchRequest m_running;
    // The current photo converting in the background, and what was asked of it.
    QFutureWatcher<pelmora::ConversionResult> m_single;
    pelmora::ConversionRequest m_singleRequest;
    bool m_converting = false;
};
