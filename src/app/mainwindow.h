#pragma once

#include "app/conversionsummary.h"
#include "app/listmemory.h"
#include "batch/batchrunner.h"
#include "naming/targetname.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class MainWindow;
}
class ConversionController;
class QMenu;
class QStyle;

// The one window: the photo list, the naming pattern, the resize settings and the preview.
// Rules live in the core libraries; this class reads the fields, starts conversions through the
// conversion controller and shows their results.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // The current photo: its folder (ending with a separator), its name and its target name.
    struct CurrentPhoto {
        QString SrcDir;
        QString SrcName;
        QString DstName;
    };

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Adds paths to the photo list exactly as a drop on it does.
    void addPhotos(const QStringList &paths);

    // Whether a conversion, or an undo, runs: from the press that starts it until its outcome has
    // been shown (and conversionFinished emitted).
    bool isConverting() const;

    const CurrentPhoto &current() const { return m_current; }

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

    // The fields as a conversion takes them, for no photo yet.
    pelmora::BatchRequest conversionRequest() const;
    void showMessage(const QString &text);
    // With resizing on, a width field that cannot be read stops a conversion before its first
    // photo, in one message naming the field, instead of failing every photo and using up
    // their numbers. (A size field that cannot be read keeps the previous size.)
    bool settingsReadable(const pelmora::BatchRequest &request);
    // Photos refused for their size are told in one message before anything is converted; they
    // are not converted. Whether any other photo is left to convert.
    bool othersToConvert(pelmora::BatchRequest &request, ConversionSource source);
    void convertCurrentPhoto();
    void convertList();
    void convertDroppedPhotos(const QStringList &paths);
    void startConversion(pelmora::BatchRequest request, ConversionSource source);
    void showProgress(const pelmora::BatchProgress &progress);
    void finishConversion(const pelmora::BatchResult &result);
    void setEditingEnabled(bool enabled);

    void undoLastConversion();
    void finishUndo();
    // An undo refused again: asks whether to give it up, and does.
    void offerToGiveUp(const pelmora::UndoReport &report);
    // 元に戻す is there while something can be undone and nothing converts.
    void updateUndoItem();

    void chooseOutputFolder();
    void chooseSignatureFont();

    Ui::MainWindow *ui;
    QMenu *List;
    QTimer Timer1;
    std::unique_ptr<QStyle> m_frameTitleStyle;
    std::unique_ptr<QStyle> m_panelStyle; // the list's and the preview's frames

    CurrentPhoto m_current;
    // Whether a photo has been made current (pressed on the list, converted from it or dropped on
    // the preview): only then does its target name follow the pattern.
    bool m_hasCurrentPhoto = false;

    // The size the last signature was stamped at: a size field that cannot be read keeps it.
    double m_stampPointSize = 9.0;

    ConversionController *m_conversion;
    QFutureWatcher<pelmora::Result<pelmora::UndoReport>> m_undo;
    ConversionSource m_source = ConversionSource::CurrentPhoto;
    pelmora::BatchRequest m_running; // what the running conversion was asked
    bool m_converting = false;
    ListMemory m_lists; // the list as each conversion found it, for its undo
};
