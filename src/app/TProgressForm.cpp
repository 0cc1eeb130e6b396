#include "app/TProgressForm.h"

#include <QApplication>

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>

#include "app/InstrumentTransferWindow.h"
#include "app/StopGlyph.h"
#include "language/Language.h"

namespace kadenza {

namespace {

constexpr QSize clientSize(338, 33);
constexpr int progressRow = 451;
constexpr int stopRow = 452;

}  // namespace

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TProgressForm"));
    setFixedSize(clientSize);

    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setGeometry(2, 9, 305, 17);
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);

    speedButton1_ = new QToolButton(this);
    speedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
    speedButton1_->setGeometry(312, 5, 25, 25);
    speedButton1_->setAutoRaise(false);
    speedButton1_->setIcon(QIcon(stopGlyph()));
    speedButton1_->setIconSize(QSize(20, 20));
    connect(speedButton1_, &QToolButton::clicked, this, &TProgressForm::stopJob);

    // Placed once on the screen's centre; a place the user drags it to is kept.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TProgressForm::attach(InstrumentTransferWindow* job) {
    job_ = job;
    // The bar and the glyph of Stop show no text: they are named, in the language of now.
    progressBar1_->setAccessibleName(QString::fromUtf8(RowText(progressRow)));
    speedButton1_->setAccessibleName(QString::fromUtf8(RowText(stopRow)));
    speedButton1_->setToolTip(speedButton1_->accessibleName());
    // Over a modal dialog (the setup dialog runs its jobs while modal) the window must be
    // modal itself, or the dialog would block its stop button.
    const QWidget* modal = QApplication::activeModalWidget();
    setWindowModality(modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal);
    show();
}

void TProgressForm::setCaptionText(const QString& text) {
    setWindowTitle(text);
}

void TProgressForm::setPosition(int percent) {
    progressBar1_->setValue(percent);
}

void TProgressForm::closeWindow() {
    hide();
}

InstrumentTransferWindow* TProgressForm::job() const {
    return job_;
}

void TProgressForm::detach(const InstrumentTransferWindow* job) {
    if (job_.data() != job) {
        return;
    }
    job_ = nullptr;
    hide();
}

void TProgressForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    stopJob();
    job_ = nullptr;
}

void TProgressForm::stopJob() {
    if (job_) {
        job_->requestInterruption();
    }
}

}  // namespace kadenza
