#include "mainwindow.h"

#include "folderpicker.h"
#include "fontchooser.h"
#include "imagesize/imagesize.h"
#include "interfacefont.h"
#include "naming/numbertext.h"
#include "photolist/previewfit.h"
#include "photolist/selectionmove.h"
#include "previewloading.h"
#include "titleindentstyle.h"
#include "ui_mainwindow.h"
#include "uitexts.h"

#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MainWindow) {
    installInterfaceFontSubstitutes();
    ui->setupUi(this);
    setWindowTitle(tr("Pelmora %1 - file name and image size conversion")
                       .arg(QStringLiteral(PELMORA_VERSION)));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(522, 485);
    applyDesignedFonts(*ui);
    m_frameTitleStyle = std::make_unique<TitleIndentStyle>(10);
    ui->Frame1->setStyle(m_frameTitleStyle.get());
    QPalette note = ui->Label3->palette();
    note.setColor(QPalette::WindowText, palette().color(QPalette::Dark));
    ui->Label3->setPalette(note);

    List = new QMenu(this);
    List->setObjectName(QStringLiteral("List"));
    List->setTitle(uitexts::kListMenuCaption);
    List->addAction(ui->Del);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(0);

    connect(ui->CkFile, &QCheckBox::clicked, this, &MainWindow::onCkFileClicked);
    connect(ui->CkResize, &QCheckBox::clicked, this, &MainWindow::onCkResizeClicked);
    connect(ui->Title, &QLineEdit::textChanged, this, &MainWindow::onTitleChanged);
    connect(ui->Num, &QLineEdit::textChanged, this, &MainWindow::UpdateNewName);
    connect(ui->Suf, &QLineEdit::textChanged, this, &MainWindow::UpdateNewName);

    connect(ui->List1, &PhotoListWidget::pathsDropped, this, &MainWindow::addPhotos);
    connect(ui->List1, &PhotoListWidget::entryPressed, this, &MainWindow::onListPressed);
    connect(ui->List1, &PhotoListWidget::menuRequested, List,
            [this](const QPoint &pos) { List->popup(pos); });
    connect(ui->List1, &PhotoListWidget::deletePressed, this, &MainWindow::deleteSelected);
    connect(ui->Del, &QAction::triggered, this, &MainWindow::deleteSelected);
    connect(ui->CLR, &QPushButton::clicked, this, &MainWindow::clearList);

    connect(ui->UpOrd, &QPushButton::clicked, this, [this] { moveSelection(true); });
    connect(ui->DwOrd, &QPushButton::clicked, this, [this] { moveSelection(false); });
    ui->UpOrd->installEventFilter(this);
    ui->DwOrd->installEventFilter(this);
    connect(&Timer1, &QTimer::timeout, this, [this] { moveSelection(RepeatUp); });

    connect(ui->PhotOutDir, &QPushButton::clicked, this, &MainWindow::chooseOutputFolder);
    connect(ui->SignFont, &QPushButton::clicked, this, &MainWindow::chooseSignatureFont);

    ui->Command2->setFocus();
}

MainWindow::~MainWindow() {
    delete ui;
}

void MainWindow::addPhotos(const QStringList &paths) {
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

// Naming -------------------------------------------------------------------------------------

pelmora::NamePattern MainWindow::namePattern() const {
    return pelmora::NamePattern{ui->Title->text(), ui->Num->text(), ui->Suf->text()};
}

void MainWindow::UpdateNewName() {
    ui->NewName->setText(pelmora::previewName(namePattern(), SrcName));
}

void MainWindow::onTitleChanged() {
    ui->Num->setText(QStringLiteral("01"));
    UpdateNewName();
}

void MainWindow::onCkFileClicked() {
    const bool on = ui->CkFile->isChecked();
    const QList<QWidget *> naming{ui->Title,    ui->Num,      ui->Suf,      ui->NewName,
                                  ui->Label1_0, ui->Label1_1, ui->Label1_2, ui->Label1_3};
    for (QWidget *w : naming)
        w->setEnabled(on);
}

void MainWindow::onCkResizeClicked() {
    ui->Suf->setText(ui->CkResize->isChecked() ? QStringLiteral("JPG") : QString());
}

// List editing -------------------------------------------------------------------------------

void MainWindow::deleteSelected() {
    PhotoListWidget *list = ui->List1;
    for (int row = list->count() - 1; row >= 0; --row) {
        if (list->item(row)->isSelected())
            delete list->takeItem(row);
    }
}

void MainWindow::clearList() {
    ui->List1->clear();
}

void MainWindow::moveSelection(bool up) {
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

void MainWindow::startRepeat(bool up) {
    RepeatUp = up;
    Timer1.setInterval(200);
    Timer1.start();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ui->UpOrd || watched == ui->DwOrd) {
        if (event->type() == QEvent::MouseButtonPress)
            startRepeat(watched == ui->UpOrd);
        else if (event->type() == QEvent::MouseButtonRelease)
            Timer1.stop();
    }
    return QWidget::eventFilter(watched, event);
}

// Current photo and preview ------------------------------------------------------------------

void MainWindow::onListPressed() {
    const pelmora::PhotoEntry entry = ui->List1->entry(ui->List1->currentRow());
    if (ui->List1->currentRow() >= 0)
        SrcDir = entry.folder;
    const QString path = SrcDir + entry.name;
    ui->OrgSize->setText(pelmora::sizeDisplayText(pelmora::ReadImageSize(path)));
    LoadPreview(entry.name.isEmpty() && entry.folder.isEmpty() ? QString() : path);
    SrcName = entry.name;
    if (ui->CkFile->isChecked()) {
        DstName = pelmora::targetName(namePattern(), SrcName);
        ui->NewName->setText(DstName);
    } else {
        DstName = SrcName;
    }
}

void MainWindow::LoadPreview(const QString &path) {
    const std::optional<PreviewPicture> picture =
        path.isEmpty() ? std::nullopt : loadPreviewPicture(path, ui->oPic->size());
    if (picture) {
        ui->oImg->setPixmap(QPixmap::fromImage(picture->image));
        FitPreview(picture->fullSize);
    } else {
        ui->oImg->clear();
        FitPreview(QSize());
    }
}

void MainWindow::FitPreview(QSize picture) {
    ui->oImg->setGeometry(pelmora::fitPreview(picture, ui->oPic->size()));
}

// Output folder and signature font -----------------------------------------------------------

void MainWindow::chooseOutputFolder() {
    const QString folder =
        BrowseForFolder(this, uitexts::kFolderChooserTitle, ui->OutFolder->text());
    if (!folder.isEmpty())
        ui->OutFolder->setText(folder);
}

void MainWindow::chooseSignatureFont() {
    const QColor color = ui->Sig->palette().color(QPalette::Text);
    const std::optional<SignatureLook> look = chooseSignatureLook(this, ui->Sig->font(), color);
    if (!look)
        return;
    QFont face = ui->Sig->font();
    face.setFamily(look->font.family());
    face.setBold(look->font.bold());
    face.setItalic(look->font.italic());
    ui->Sig->setFont(face);
    QPalette pal = ui->Sig->palette();
    pal.setColor(QPalette::Text, look->color);
    ui->Sig->setPalette(pal);
    ui->Pt->setText(pelmora::shortestDecimal(look->pointSize));
}
