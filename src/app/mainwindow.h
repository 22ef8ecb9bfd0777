#pragma once

#include "naming/targetname.h"

#include <QTimer>
#include <QWidget>
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

    // The current photo: its folder (ending with a separator), its name and its target name.
    QString SrcDir;
    QString SrcName;
    QString DstName;
    // Direction of the reorder auto-repeat: true moves entries up.
    bool RepeatUp = false;

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

    void chooseOutputFolder();
    void chooseSignatureFont();

    Ui::MainWindow *ui;
    QMenu *List;
    QTimer Timer1;
    std::unique_ptr<QStyle> m_frameTitleStyle;
};
