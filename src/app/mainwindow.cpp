#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "interfacefont.h"
#include "photolist/selectionmove.h"

#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MainWindow)
{
    installInterfaceFontSubstitutes();
    ui->setupUi(this);
    setWindowTitle(tr("Pelmora %1 - file name and image size conversion")
                       .arg(QStringLiteral(PELMORA_VERSION)));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(522, 485);
    applyDesignedFonts(*ui);
    QPalette note = ui->Label3->palette();
    note.setColor(QPalette::WindowText, palette().color(QPalette::Dark));
    ui->Label3->setPalette(note);

    List = new QMenu(this);
    List->setObjectName(QStringLiteral("List"));
    List->setTitle(QStringLiteral("リスト"));
    List->addAction(ui->Del);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(0);

    connect(ui->CkFile, &QCheckBox::clicked, this, &MainWindow::onCkFileClicked);
    connect(ui->CkResize, &QCheckBox::clicked, this, &MainWindow::onCkResizeClicked);
    connect(ui->Title, &QLineEdit::textChanged, this, &MainWindow::onTitleChanged);
    connect(ui->Num, &QLineEdit::textChanged, this, &MainWindow::UpdateNewName);
    connect(ui->Suf, &QLineEdit::textChanged, this, &MainWindow::UpdateNewName);

    connect(ui->List1, &PhotoListWidget::pathsDropped, this, &MainWindow::addPhotos);
    connect(ui->List1, &PhotoListWidget::menuRequested, List,
            [this](const QPoint &pos) { List->popup(pos); });
    connect(ui->List1, &PhotoListWidget::deletePressed, this, &MainWindow::deleteSelected);
    connect(ui->Del, &QAction::triggered, this, &MainWindow::deleteSelected);
    connect(ui->CLR, &QPushButton::clicked, this, &MainWindow::clearList);

    connect(ui->UpOrd, &QPushButton::clicked, this, &MainWindow::moveUp);
    connect(ui->DwOrd, &QPushButton::clicked, this, &MainWindow::moveDown);
    ui->UpOrd->installEventFilter(this);
    ui->DwOrd->installEventFilter(this);
    connect(&Timer1, &QTimer::timeout, this, [this] { moveSelection(RepeatUp); });

    ui->Command2->setFocus();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::addPhotos(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const int left = ui->List1->addPaths(paths);
    SrcDir = pelmora::splitPath(paths.first()).folder;
    if (left > 0) {
        QMessageBox::information(
            this, QStringLiteral("Pelmora"),
            tr("The list holds at most %1 photos: %2 of the dropped paths were not added.")
                .arg(PhotoListWidget::kMaxEntries)
                .arg(left));
    }
}

pelmora::NamePattern MainWindow::namePattern() const
{
    return pelmora::NamePattern{ui->Title->text(), ui->Num->text(), ui->Suf->text()};
}

void MainWindow::UpdateNewName()
{
    ui->NewName->setText(pelmora::previewName(namePattern(), SrcName));
}

void MainWindow::onTitleChanged()
{
    ui->Num->setText(QStringLiteral("01"));
    UpdateNewName();
}

void MainWindow::onCkFileClicked()
{
    const bool on = ui->CkFile->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(ui->Title), static_cast<QWidget *>(ui->Num),
                       static_cast<QWidget *>(ui->Suf), static_cast<QWidget *>(ui->NewName),
                       static_cast<QWidget *>(ui->Label1_0), static_cast<QWidget *>(ui->Label1_1),
                       static_cast<QWidget *>(ui->Label1_2), static_cast<QWidget *>(ui->Label1_3)})
        w->setEnabled(on);
}

void MainWindow::onCkResizeClicked()
{
    ui->Suf->setText(ui->CkResize->isChecked() ? QStringLiteral("JPG") : QString());
}

void MainWindow::deleteSelected()
{
    PhotoListWidget *list = ui->List1;
    for (int row = list->count() - 1; row >= 0; --row) {
        if (list->item(row)->isSelected())
            delete list->takeItem(row);
    }
}

void MainWindow::clearList()
{
    ui->List1->clear();
}

void MainWindow::moveUp()
{
    moveSelection(true);
}

void MainWindow::moveDown()
{
    moveSelection(false);
}

void MainWindow::moveSelection(bool up)
{
    RepeatUp = up;
    PhotoListWidget *list = ui->List1;
    std::vector<bool> selected(list->count());
    for (int row = 0; row < list->count(); ++row)
        selected[row] = list->item(row)->isSelected();
    const pelmora::SelectionMove plan =
        up ? pelmora::planMoveUp(selected) : pelmora::planMoveDown(selected);
    for (const pelmora::SelectionMove::Swap &swap : plan.swaps) {
        QListWidgetItem *moved = list->takeItem(swap.from);
        list->insertItem(swap.to, moved);
        moved->setSelected(true);
    }
    if (plan.current >= 0)
        list->setCurrentRow(plan.current, QItemSelectionModel::NoUpdate);
}

void MainWindow::startRepeat(bool up)
{
    RepeatUp = up;
    Timer1.setInterval(200);
    Timer1.start();
}

void MainWindow::stopRepeat()
{
    Timer1.stop();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->UpOrd || watched == ui->DwOrd) {
        if (event->type() == QEvent::MouseButtonPress)
            startRepeat(watched == ui->UpOrd);
        else if (event->type() == QEvent::MouseButtonRelease)
            stopRepeat();
    }
    return QWidget::eventFilter(watched, event);
}
