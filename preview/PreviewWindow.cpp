#include "PreviewWindow.h"

#include "CsvExport.h"
#include "ErrorBox.h"
#include "Exception.h"
#include "PageView.h"
#include "PdfExport.h"
#include "ThumbnailModel.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr double zoomStep = 1.25;

QAction* addToolAction(QToolBar* bar, QWidget* owner, QStyle::StandardPixmap icon, const QString& text,
                   const QList<QKeySequence>& keys)
{
    QAction* action = icon == QStyle::SP_CustomBase ? new QAction(text, owner)
                                                    : new QAction(owner->style()->standardIcon(icon), text, owner);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    if (!keys.isEmpty())
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.front().toString(QKeySequence::NativeText)));
    owner->addAction(action);
    bar->addAction(action);
    return action;
}

}

PreviewWindow::PreviewWindow(const ReportDocument& document, QWidget* parent)
    : QDialog(parent), document_(document)
{
    setObjectName(QStringLiteral("RptPreviewWindow"));
    QString caption = document.caption();
    setWindowTitle(caption.isEmpty() ? QStringLiteral("報表預覽") : caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    layout->addWidget(bar);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    thumbnails_ = new QListView(splitter);
    thumbnails_->setObjectName(QStringLiteral("thumbnails"));
    auto* model = new ThumbnailModel(document, QSize(96, 136), thumbnails_);
    thumbnails_->setModel(model);
    thumbnails_->setIconSize(model->thumbnailSize());
    thumbnails_->setViewMode(QListView::IconMode);
    thumbnails_->setFlow(QListView::TopToBottom);
    thumbnails_->setWrapping(false);
    thumbnails_->setMovement(QListView::Static);
    thumbnails_->setUniformItemSizes(true);
    thumbnails_->setSpacing(6);
    thumbnails_->setSelectionMode(QAbstractItemView::SingleSelection);
    thumbnails_->setMinimumWidth(model->thumbnailSize().width() + 40);
    thumbnails_->setMaximumWidth(model->thumbnailSize().width() + 60);
    view_ = new PageView(document, splitter);
    view_->setFit(PageView::Fit::Width); // kept as the window gets its size
    splitter->addWidget(thumbnails_);
    splitter->addWidget(view_);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    status_ = new QLabel(this);
    status_->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(status_);

    buildToolBar(bar);
    view_->setZoomChanged([this] { refreshState(); });

    connect(thumbnails_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !syncing_)
                    showPage(current.row());
            });

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect available = screen->availableGeometry();
        resize(std::min(1100, available.width() * 9 / 10), available.height() * 9 / 10);
    } else {
        resize(1000, 800);
    }
    view_->setFocus();
    refreshState();
}

void PreviewWindow::buildToolBar(QToolBar* bar)
{
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setMovable(false);
    connect(addToolAction(bar, this, QStyle::SP_MediaSkipBackward, QStringLiteral("第一頁"), {Qt::Key_Home}),
            &QAction::triggered, this, [this] { showPage(0); });
    connect(addToolAction(bar, this, QStyle::SP_MediaSeekBackward, QStringLiteral("上一頁"), {Qt::Key_PageUp}),
            &QAction::triggered, this, [this] { showPage(currentPage() - 1); });

    pageBox_ = new QSpinBox(bar);
    pageBox_->setObjectName(QStringLiteral("pageBox"));
    pageBox_->setRange(1, std::max(1, document_.pageCount()));
    pageBox_->setKeyboardTracking(false);
    pageBox_->setAccelerated(true);
    bar->addWidget(pageBox_);
    bar->addWidget(new QLabel(QStringLiteral(" / %1 ").arg(document_.pageCount()), bar));
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!syncing_)
            showPage(value - 1);
    });

    connect(addToolAction(bar, this, QStyle::SP_MediaSeekForward, QStringLiteral("下一頁"), {Qt::Key_PageDown}),
            &QAction::triggered, this, [this] { showPage(currentPage() + 1); });
    connect(addToolAction(bar, this, QStyle::SP_MediaSkipForward, QStringLiteral("最後頁"), {Qt::Key_End}),
            &QAction::triggered, this, [this] { showPage(document_.pageCount() - 1); });
    bar->addSeparator();

    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("縮小"),
                      {QKeySequence(Qt::CTRL | Qt::Key_Minus)}),
            &QAction::triggered, this, [this] { zoomOut(); });
    zoomLabel_ = new QLabel(bar);
    zoomLabel_->setMinimumWidth(48);
    zoomLabel_->setAlignment(Qt::AlignCenter);
    bar->addWidget(zoomLabel_);
    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("放大"),
                      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}),
            &QAction::triggered, this, [this] { zoomIn(); });
    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("符合寬度"), {}), &QAction::triggered, this,
            [this] { setFit(PageView::Fit::Width); });
    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("整頁"), {}), &QAction::triggered, this,
            [this] { setFit(PageView::Fit::Page); });
    bar->addSeparator();

    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("列印"), {QKeySequence(Qt::CTRL | Qt::Key_P)}),
            &QAction::triggered, this, [this] { print(); });
    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("匯出 PDF"), {}), &QAction::triggered, this,
            [this] { exportPdf(); });
    connect(addToolAction(bar, this, QStyle::SP_CustomBase, QStringLiteral("匯出 CSV"), {}), &QAction::triggered, this,
            [this] { exportCsv(); });
    bar->addSeparator();
    connect(addToolAction(bar, this, QStyle::SP_DialogCloseButton, QStringLiteral("關閉"), {}), &QAction::triggered, this,
            [this] { reject(); });
}

int PreviewWindow::currentPage() const
{
    return view_->page();
}

double PreviewWindow::zoom() const
{
    return view_->zoom();
}

void PreviewWindow::showPage(int page)
{
    view_->setPage(page);
    refreshState();
}

void PreviewWindow::zoomIn()
{
    view_->setZoom(view_->zoom() * zoomStep);
}

void PreviewWindow::zoomOut()
{
    view_->setZoom(view_->zoom() / zoomStep);
}

void PreviewWindow::setFit(PageView::Fit fit)
{
    view_->setFit(fit);
}

void PreviewWindow::refreshState()
{
    syncing_ = true;
    int page = view_->page();
    pageBox_->setValue(page + 1);
    QModelIndex index = thumbnails_->model()->index(page, 0);
    thumbnails_->setCurrentIndex(index);
    thumbnails_->scrollTo(index);
    zoomLabel_->setText(QStringLiteral("%1%").arg(std::lround(view_->zoom() * 100)));
    syncing_ = false;
}

QString PreviewWindow::suggestedPath(const QString& suffix) const
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    QString name = document_.caption();
    name.remove(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")));
    if (name.isEmpty())
        name = QStringLiteral("report");
    return QDir(dir).filePath(name + QStringLiteral("_") + document_.printedAt().toString(u"yyyyMMdd_HHmmss") + suffix);
}

void PreviewWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    PdfExport::applyPageLayout(printer, document_);
    printer.setFullPage(true);
    printer.setDocName(windowTitle());
    printer.setFromTo(1, document_.pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, document_.pageCount());
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 0, last = document_.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = currentPage();
    }
    try {
        PdfExport::paintPages(printer, document_, first, last);
        status_->setText(QStringLiteral("已送出列印：第 %1 至 %2 頁").arg(first + 1).arg(last + 1));
    } catch (const Exception& e) {
        ErrorBox::show(this, QStringLiteral("無法列印。\n\n%1").arg(QString::fromStdString(e.message())));
    }
}

void PreviewWindow::exportPdf()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("匯出 PDF"), suggestedPath(QStringLiteral(".pdf")),
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    try {
        PdfExport::writePdf(document_, path);
        status_->setText(QStringLiteral("已匯出 PDF：%1").arg(QDir::toNativeSeparators(path)));
    } catch (const Exception& e) {
        ErrorBox::show(this, QStringLiteral("無法匯出 PDF。\n\n%1").arg(QString::fromStdString(e.message())));
    }
}

void PreviewWindow::exportCsv()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("匯出 CSV"), suggestedPath(QStringLiteral(".csv")),
                                                QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    try {
        CsvExport::writeCsv(document_.data().detail, path);
        status_->setText(QStringLiteral("已匯出 CSV：%1").arg(QDir::toNativeSeparators(path)));
    } catch (const Exception& e) {
        ErrorBox::show(this, QStringLiteral("無法匯出 CSV。\n\n%1").arg(QString::fromStdString(e.message())));
    }
}
