#pragma once

#include <QLabel>

// The preview picture: shows a photo scaled to its own size and takes photos dropped on it.
class PreviewImage : public QLabel {
    Q_OBJECT

public:
    explicit PreviewImage(QWidget *parent = nullptr);

Q_SIGNALS:
    void pathsDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
