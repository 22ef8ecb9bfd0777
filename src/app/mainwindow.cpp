#include "mainwindow.h"

#include "app/conversioncontroller.h"
#include "app/crispframestyle.h"
#include "app/folderpicker.h"
#include "app/fontchooser.h"
#include "app/interfacefont.h"
#include "app/interfacelanguage.h"
#include "app/titleindentstyle.h"
#include "app/uitexts.h"
#include "batch/resizesettings.h"
#include "files/journal.h"
#include "imagesize/imagesize.h"
#include "naming/numbertext.h"
#include "photolist/previewfit.h"
#include "photolist/selectionmove.h"
#include "picture/designedfont.h"
#include "picture/imagelimits.h"
#include "picture/previewloader.h"
#include "ui_mainwindow.h"

#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QShortcut>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The window's own undo history; the command line keeps another.
const QString kDriver = QStringLiteral("window");

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MainWindow)
    , m_conversion(new ConversionController(this)) {
    pelmora::installFontSubstitutes();
    pelmora::useDesktopLanguage();
    ui->setupUi(this);
    setWindowTitle(
        tr("Pelmora %1 - ファイル名・画像サイズ変換").arg(QStringLiteral(PELMORA_VERSION)));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(522, 485);
    applyDesignedFonts(*ui);
    m_frameTitleStyle = std::make_unique<TitleIndentStyle>(10);
    ui->Frame1->setStyle(m_frameTitleStyle.get());
    m_panelStyle = std::make_unique<CrispFrameStyle>();
    ui->List1->setStyle(m_panelStyle.get());
    ui->oPic->setStyle(m_panelStyle.get());
    QPalette note = ui->Label3->palette();
    note.setColor(QPalette::WindowText, palette().color(QPalette::Dark));
    ui->Label3->setPalette(note);

    List = new QMenu(this);
    List->setObjectName(QStringLiteral("List"));
    List->setTitle(uitexts::listMenuCaption());
    List->addAction(ui->Del);
    List->addAction(ui->Undo);
    // The platform's undo key does it wherever the focus is, and the menu shows the key.
    ui->Undo->setShortcut(QKeySequence::Undo);
    ui->Undo->setShortcutVisibleInContextMenu(true);
    addAction(ui->Undo);
    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->installEventFilter(this);
    connect(List, &QMenu::aboutToShow, this, &MainWindow::updateUndoItem);
    connect(ui->Undo, &QAction::triggered, this, &MainWindow::undoLastConversion);
    updateUndoItem();
    connect(&m_undo, &QFutureWatcher<pelmora::Result<pelmora::UndoReport>>::finished, this,
            &MainWindow::finishUndo);

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

    connect(ui->Command2, &QPushButton::clicked, this, &MainWindow::convertCurrentPhoto);
    connect(ui->Command1, &QPushButton::clicked, this, &MainWindow::convertList);
    connect(ui->oImg, &PreviewImage::pathsDropped, this, &MainWindow::convertDroppedPhotos);
    connect(m_conversion, &ConversionController::progressed, this, &MainWindow::showProgress);
    connect(m_conversion, &ConversionController::finished, this, &MainWindow::finishConversion);
    // Esc stops a running conversion after the photos in flight, wherever the focus is.
    auto *stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(stop, &QShortcut::activated, m_conversion, &ConversionController::stop);

    connect(ui->PhotOutDir, &QPushButton::clicked, this, &MainWindow::chooseOutputFolder);
    connect(ui->SignFont, &QPushButton::clicked, this, &MainWindow::chooseSignatureFont);

    ui->Command2->setFocus();
}

void MainWindow::updateUndoItem() {
    // A history that cannot be read leaves it enabled: undoing says why.
    const pelmora::Result<bool> undoable =
        pelmora::hasConversionToUndo(pelmora::journalFolder(kDriver));
    ui->Undo->setEnabled(!isConverting() && (!undoable || *undoable));
}

void MainWindow::undoLastConversion() {
    if (isConverting())
        return;
    m_converting = true;
    setEditingEnabled(false);
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_undo.setFuture(QtConcurrent::run([folder = pelmora::journalFolder(kDriver)] {
        return pelmora::undoNewestConversion(folder);
    }));
}

void MainWindow::finishUndo() {
    QGuiApplication::restoreOverrideCursor();
    setEditingEnabled(true);
    const pelmora::Result<pelmora::UndoReport> report = m_undo.result();
    if (!report) {
        showMessage(report.reason());
    } else {
        QString summary = undoSummary(*report);
        if (report->found) {
            ui->Num->setText(report->numberBefore);
            // The photos back where they were on the list, to convert them again.
            const int left =
                ui->List1->insertAmong(m_lists.listAfterUndo(ui->List1->entries(), *report));
            if (left > 0)
                summary +=
                    u'\n' +
                    tr("リストに入るのは %1 件までです。元に戻した %n 件はリストに加えていません。",
                       nullptr, left)
                        .arg(PhotoListWidget::kMaxEntries);
            if (report->complete())
                m_lists.forget(report->conversion);
        }
        if (report->retried && !report->complete())
            offerToGiveUp(*report);
        else
            showMessage(summary);
    }
    m_converting = false;
    updateUndoItem();
}

void MainWindow::offerToGiveUp(const pelmora::UndoReport &report) {
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Pelmora"),
        undoSummary(report) + QStringLiteral("\n\n") +
            tr("この変換は前回も元に戻しきれませんでした。元に戻すのをあきらめますか？\n"
               "あきらめると、元に戻せなかったファイルは上に書いた場所にそのまま残り、"
               "次の「元に戻す」ではその前の変換を元に戻します。"),
        QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    if (const pelmora::Status given =
            pelmora::giveUpNewestConversion(pelmora::journalFolder(kDriver));
        !given) {
        showMessage(given.reason());
        return;
    }
    m_lists.forget(report.conversion);
}

MainWindow::~MainWindow() {
    // A conversion still running stops after the photos in flight, before the form goes.
    delete m_conversion;
    m_undo.waitForFinished();
    delete ui;
}

void MainWindow::addPhotos(const QStringList &paths) {
    if (paths.isEmpty())
        return;
    // The current photo stays as it was: it changes only as a whole, by a press or a conversion.
    const int left = ui->List1->addPaths(paths);
    if (left > 0) {
        showMessage(tr("リストに入るのは %1 件までです。ドロップされた %n 件は追加していません。",
                       nullptr, left)
                        .arg(PhotoListWidget::kMaxEntries));
    }
}

// Naming -------------------------------------------------------------------------------------

pelmora::NamePattern MainWindow::namePattern() const {
    return pelmora::NamePattern{ui->Title->text(), ui->Num->text(), ui->Suf->text()};
}

void MainWindow::UpdateNewName() {
    // The current photo's target name follows the pattern too, so that converting it gives the
    // name the preview shows (with an empty title the preview is empty, the name is the number's).
    if (ui->CkFile->isChecked() && m_hasCurrentPhoto)
        m_current.DstName = pelmora::targetName(namePattern(), m_current.SrcName);
    ui->NewName->setText(pelmora::previewName(namePattern(), m_current.SrcName));
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
    // A field takes the undo key for its own typing; with none to undo, the key undoes the last
    // conversion.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *field = qobject_cast<QLineEdit *>(watched);
        if (field && !field->isUndoAvailable() &&
            static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo))
            return true;
    }
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
    const int row = ui->List1->currentRow();
    const pelmora::PhotoEntry entry = ui->List1->entry(row);
    if (row >= 0)
        m_current.SrcDir = entry.folder;
    const QString path = m_current.SrcDir + entry.name;
    ui->OrgSize->setText(uitexts::sizeCaption(pelmora::ReadImageSize(path)));
    LoadPreview(entry.name.isEmpty() && entry.folder.isEmpty() ? QString() : path);
    m_current.SrcName = entry.name;
    m_hasCurrentPhoto = row >= 0;
    if (ui->CkFile->isChecked()) {
        m_current.DstName = pelmora::targetName(namePattern(), m_current.SrcName);
        ui->NewName->setText(m_current.DstName);
    } else {
        m_current.DstName = m_current.SrcName;
    }
}

void MainWindow::LoadPreview(const QString &path) {
    const std::optional<pelmora::PreviewPicture> picture =
        path.isEmpty() ? std::nullopt : pelmora::loadPreviewPicture(path, ui->oPic->size());
    if (picture) {
        ui->oImg->setPixmap(QPixmap::fromImage(picture->image));
        FitPreview(picture->photoSize);
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
        BrowseForFolder(this, uitexts::folderChooserTitle(), ui->OutFolder->text());
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

// Conversion ---------------------------------------------------------------------------------

pelmora::BatchRequest MainWindow::conversionRequest() const {
    pelmora::BatchRequest request;
    request.pattern = namePattern();
    request.rename = ui->CkFile->isChecked();
    request.resize = ui->CkResize->isChecked();
    request.outputFolder = ui->OutFolder->text();
    pelmora::ResizeSettings &settings = request.resizeSettings;
    settings.longerSide = ui->picWidth->text();
    settings.quality = ui->Slider1->value();
    settings.signature.text = ui->Sig->text();
    settings.signature.family = ui->Sig->font().family();
    settings.signature.pointSizeText = ui->Pt->text();
    settings.signature.fallbackPointSize = m_stampPointSize;
    settings.signature.color = ui->Sig->palette().color(QPalette::Text);
    request.driver = kDriver;
    return request;
}

void MainWindow::showMessage(const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pelmora"), text, QMessageBox::Ok, this);
    box.exec();
}

bool MainWindow::settingsReadable(const pelmora::BatchRequest &request) {
    if (!request.resize || pelmora::readLongerSide(request.resizeSettings.longerSide))
        return true;
    showMessage(tr("「%1」の値を使えないため、写真は変換していません。\n"
                   "1 から %2 までの整数（ピクセル数）を入れてください。"
                   "空欄なら、写真は元の大きさのまま変換します。")
                    .arg(ui->Label4->text())
                    .arg(pelmora::kLargestLongerSide));
    return false;
}

bool MainWindow::othersToConvert(pelmora::BatchRequest &request, ConversionSource source) {
    const QList<pelmora::SizeRefusal> refused = pelmora::photosRefusedForSize(request);
    request.sizeRefusals = refused;
    if (refused.isEmpty())
        return true;
    showMessage(sizeRefusalNotice(request, refused, source));
    return refused.size() < request.entries.size();
}

bool MainWindow::isConverting() const {
    return m_converting;
}

// While a conversion runs, a press that would start another is ignored (the second press of a
// double-click among them); Esc or closing the window stops it.

void MainWindow::convertCurrentPhoto() {
    if (isConverting())
        return;
    pelmora::BatchRequest request = conversionRequest();
    if (!settingsReadable(request))
        return;
    request.entries = {pelmora::PhotoEntry{m_current.SrcDir, m_current.SrcName}};
    request.naming = pelmora::TargetNaming::Given;
    request.givenTargetName = m_current.DstName;
    if (!othersToConvert(request, ConversionSource::CurrentPhoto))
        return;
    startConversion(std::move(request), ConversionSource::CurrentPhoto);
}

void MainWindow::convertList() {
    if (isConverting())
        return;
    pelmora::BatchRequest request = conversionRequest();
    if (!settingsReadable(request))
        return;
    request.entries = ui->List1->entries();
    if (!othersToConvert(request, ConversionSource::List))
        return;
    ui->PBar1->setVisible(true);
    ui->PBar1->setMinimum(0);
    if (request.entries.size() > 1)
        ui->PBar1->setMaximum(static_cast<int>(request.entries.size()) - 1);
    startConversion(std::move(request), ConversionSource::List);
}

void MainWindow::convertDroppedPhotos(const QStringList &paths) {
    if (isConverting() || paths.isEmpty())
        return;
    pelmora::BatchRequest request = conversionRequest();
    if (!settingsReadable(request))
        return;
    // The last dropped photo first, so the first one ends in the preview.
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        request.entries.append(pelmora::splitPath(*it));
    request.naming = pelmora::TargetNaming::Pattern;
    if (!othersToConvert(request, ConversionSource::Preview))
        return;
    // The preview ends on the first dropped photo; it shows it as it was before converting.
    LoadPreview(paths.first());
    startConversion(std::move(request), ConversionSource::Preview);
}

void MainWindow::startConversion(pelmora::BatchRequest request, ConversionSource source) {
    m_source = source;
    m_running = request;
    m_lists.conversionStarting(ui->List1->entries());
    m_converting = true;
    setEditingEnabled(false);
    m_conversion->start(std::move(request));
}

void MainWindow::showProgress(const pelmora::BatchProgress &progress) {
    const pelmora::PhotoEntry &entry = m_running.entries.at(progress.index);
    m_current = {entry.folder, entry.name, progress.targetName};
    m_hasCurrentPhoto = true;
    if (m_source == ConversionSource::List)
        ui->PBar1->setValue(static_cast<int>(progress.index));
    if (m_source == ConversionSource::Preview ||
        (m_source == ConversionSource::List && m_running.rename))
        ui->NewName->setText(m_current.DstName);
    if (m_running.rename)
        ui->Num->setText(progress.numberAfter);
}

void MainWindow::finishConversion(const pelmora::BatchResult &result) {
    setEditingEnabled(true);
    const bool stamped = m_running.resize && !m_running.resizeSettings.signature.text.isEmpty();
    if (stamped && result.convertedCount() > 0)
        m_stampPointSize = pelmora::signaturePointSize(m_running.resizeSettings.signature);
    if (m_source == ConversionSource::List) {
        ui->PBar1->setVisible(false);
        // Converted photos leave the list; the others stay, in order, with their folders.
        for (int row = static_cast<int>(result.entries.size()) - 1; row >= 0; --row) {
            if (result.entries[row].result.converted())
                delete ui->List1->takeItem(row);
        }
    }
    m_lists.conversionEnded(result.conversion);
    const QString summary = conversionSummary(result, m_source);
    if (!summary.isEmpty())
        showMessage(summary);
    m_converting = false;
    updateUndoItem();
    Q_EMIT conversionFinished();
}

void MainWindow::setEditingEnabled(bool enabled) {
    // While photos are converted, nothing that would change the running conversion can be used.
    const QList<QWidget *> controls{ui->List1,    ui->CLR,      ui->UpOrd,     ui->DwOrd,
                                    ui->Command1, ui->Command2, ui->Frame1,    ui->CkFile,
                                    ui->Frame2,   ui->CkResize, ui->OutFolder, ui->PhotOutDir,
                                    ui->oImg};
    for (QWidget *w : controls)
        w->setEnabled(enabled);
    if (!enabled) {
        Timer1.stop();
        ui->Undo->setEnabled(false);
    }
}
