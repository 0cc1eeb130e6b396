#include "setup/TForm2.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "app/DataTreeRow.h"
#include "app/InstrumentTransferWindowThread.h"
#include "app/MessageBoxes.h"
#include "link/TransferReporter.h"
#include "model/SetupMessages.h"
#include "setup/SetupListDelegate.h"
#include "setup/SetupValueText.h"

namespace kadenza {

namespace {

constexpr QSize windowSize(425, 451);
constexpr int panel1Height = 41;
constexpr QSize editorSize(89, 24);
constexpr int editorFontPixels = 13;
constexpr int dialogFontPixels = 11;
// Where a setting row's value starts: its text at 40 plus the tab position of 200.
constexpr int valueLeft = 240;
constexpr int settingsRow = 456;

// The language row a component's caption comes from, as the relabelling reads it.
void setTag(QObject* object, int row) {
    object->setProperty("tag", row);
}

// At least `size`, wider where its caption needs it (a larger font, a wider style).
QPushButton* makeButton(QWidget* parent, const char* name, int row, const QSize& size) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    setTag(button, row);
    button->setMinimumSize(size);
    // Enter belongs to the value editor; no button may take it.
    button->setAutoDefault(false);
    return button;
}

QString spokenRowText(const InstrumentSetupAbstract& object) {
    return QString::fromStdU16String(spokenText(object.text()));
}

bool isKey(const QEvent* event, std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

TForm2::TForm2(TProgressForm& progress, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent),
      progress_(progress),
      boxes_(boxes),
      setup_(std::make_shared<InstrumentSetup>()) {
    setObjectName(QStringLiteral("TForm2"));
    setTag(this, 15);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(dialogFontPixels);
    setFont(font);

    listBox1_ = new QListWidget(this);
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    listBox1_->setUniformItemSizes(true);
    listBox1_->setItemDelegate(new SetupListDelegate(listBox1_));
    setTag(listBox1_, settingsRow);
    listBox1_->viewport()->installEventFilter(this);
    listBox1_->installEventFilter(this);
    connect(listBox1_, &QListWidget::itemDoubleClicked, this, &TForm2::ListBox1DblClick);

    // On the list's viewport, so that it lies over the row it edits.
    edit1_ = new QLineEdit(listBox1_->viewport());
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->resize(editorSize);
    QFont editorFont(QStringLiteral("Arial"));
    editorFont.setPixelSize(editorFontPixels);
    edit1_->setFont(editorFont);
    edit1_->hide();
    edit1_->installEventFilter(this);

    buildButtonStrip();
    resize(windowSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TForm2::buildButtonStrip() {
    auto* panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(panel1Height);
    auto* panel2 = new QWidget(panel1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    button1_ = makeButton(panel2, "Button1", 17, QSize(100, 25));
    button2_ = makeButton(panel2, "Button2", 18, QSize(80, 25));
    button3_ = makeButton(panel2, "Button3", 16, QSize(80, 25));
    auto* buttons = new QHBoxLayout(panel2);
    buttons->setContentsMargins(10, 8, 9, 8);
    buttons->setSpacing(10);
    for (QPushButton* button : {button1_, button2_, button3_}) {
        buttons->addWidget(button);
    }
    connect(button1_, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button3_, &QPushButton::clicked, this, &TForm2::Button3Click);

    auto* strip = new QHBoxLayout(panel1);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addStretch();
    strip->addWidget(panel2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(listBox1_);
    layout->addWidget(panel1);
}

int TForm2::showFor(const QString& portName) {
    portName_ = portName;
    return exec();
}

void TForm2::done(int result) {
    if (!jobRunning_) {
        QDialog::done(result);
    }
}

// A window restored from the task bar is not opened anew: only the dialog's own showing reads,
// and never while a job still uses the setup.
void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous() || jobRunning_) {
        return;
    }
    contents_ = Contents::nothing;
    newJob()->startReadSetup(*setup_, whenJobEnds(&TForm2::settingsRead));
}

// Only a hide that does not go through done() can come while a job runs; the job's end then
// empties the setup.
void TForm2::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) {
        return;
    }
    hideEditor();
    listBox1_->clear();
    contents_ = Contents::nothing;
    if (!jobRunning_) {
        setup_->clear();
    }
}

// Escape in the editor only puts the editor away: the dialog keeps the edits made so far.
bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit1_ && isKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
        Edit1Enter();
        return true;
    }
    if (watched == edit1_ && isKey(event, {Qt::Key_Escape})) {
        hideEditor();
        return true;
    }
    if (watched == listBox1_->viewport() && event->type() == QEvent::MouseButtonPress) {
        hideEditor();
    }
    // The keyboard opens the editor as a double click does.
    if (watched == listBox1_ &&
        isKey(event, {Qt::Key_F2, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})) {
        ListBox1DblClick(listBox1_->currentItem());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::FillList() {
    listBox1_->clear();
    for (int b = 0; b < setup_->count(); ++b) {
        InstrumentSetupBank* bank = setup_->bank(b);
        addRow(bank);
        for (int i = 0; i < bank->count(); ++i) {
            addRow(bank->item(i));
        }
    }
}

// A row is drawn from its object; a screen reader reads the same text, the value after the
// name.
void TForm2::addRow(InstrumentSetupAbstract* object) {
    auto* row = new QListWidgetItem(listBox1_);
    SetupListDelegate::setRowObject(*row, object);
    row->setData(Qt::AccessibleTextRole, spokenRowText(*object));
}

void TForm2::ListBox1DblClick(QListWidgetItem* row) {
    if (jobRunning_ || row == nullptr) {
        return;
    }
    const auto* item = dynamic_cast<InstrumentSetupItem*>(SetupListDelegate::rowObject(*row));
    if (item == nullptr) {
        return;
    }
    editedRow_ = row;
    edit1_->move(valueLeft, listBox1_->visualItemRect(row).top());
    edit1_->setAccessibleName(spokenRowText(*item));
    edit1_->setText(setupValueText(item->value()));
    edit1_->show();
    edit1_->setFocus();
}

// The value goes to the row the editor was opened on, even if the selection moved since.
void TForm2::Edit1Enter() {
    const std::optional<float> value = parseSetupValue(edit1_->text());
    if (!value) {
        boxes_.error(this, notANumberText(edit1_->text()));
        return;
    }
    auto* item = dynamic_cast<InstrumentSetupItem*>(SetupListDelegate::rowObject(*editedRow_));
    item->setValue(*value);
    editedRow_->setData(Qt::AccessibleTextRole, spokenRowText(*item));
    listBox1_->viewport()->update(listBox1_->visualItemRect(editedRow_));
    hideEditor();
    listBox1_->setFocus();
}

void TForm2::hideEditor() {
    edit1_->hide();
    editedRow_ = nullptr;
}

void TForm2::Button1Click() {
    // The job replaces the objects the rows refer to.
    listBox1_->clear();
    newJob()->startDefaultSettings(*setup_, whenJobEnds(&TForm2::defaultsFetched));
}

// Only settings read from the instrument, or its factory settings, are written, and none
// read out of range: the instrument would keep them, or get the encoder's defaults.
void TForm2::Button3Click() {
    if (contents_ != Contents::settings) {
        return;
    }
    if (const InstrumentSetupItem* item = setup_->firstOutOfRange()) {
        hideEditor();
        boxes_.failure(this, QString::fromStdString(failureCaption()),
                       QString::fromStdU16String(outOfRangeText(*item)));
        return;
    }
    newJob()->startWriteSetup(*setup_, whenJobEnds(&TForm2::writeEnded));
}

TForm2::Contents TForm2::filledContents(bool completed, Contents otherwise) const {
    if (!completed) {
        return otherwise;
    }
    return setup_->count() > 0 ? Contents::settings : Contents::noSettings;
}

void TForm2::settingsRead(bool completed) {
    showContents(filledContents(completed, Contents::nothing));
}

// Defaults that could not be fetched leave the list as it was.
void TForm2::defaultsFetched(bool completed) {
    showContents(filledContents(completed, contents_));
}

// The dialog closes once the write has ended, whether it succeeded or not: a failure has
// been shown by the job.
void TForm2::writeEnded(bool /*completed*/) {
    accept();
}

void TForm2::showContents(Contents contents) {
    contents_ = contents;
    FillList();
    if (contents == Contents::noSettings) {
        new QListWidgetItem(QString::fromStdU16String(noSettingsText()), listBox1_);
    }
    enableButtons();
    // The keys reach the list as soon as it is filled.
    listBox1_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    listBox1_->setFocus();
}

InstrumentTransferWindowThread* TForm2::newJob() {
    hideEditor();
    setJobRunning(true);
    return new InstrumentTransferWindowThread(portName_, progress_, boxes_);
}

std::function<void(bool)> TForm2::whenJobEnds(void (TForm2::*then)(bool)) {
    // The copy of the setup pointer keeps the job's container alive until the job's end.
    return [dialog = QPointer<TForm2>(this), setup = setup_, then](bool completed) {
        if (dialog) {
            dialog->endJob(then, completed);
        }
    };
}

void TForm2::endJob(void (TForm2::*then)(bool), bool completed) {
    setJobRunning(false);
    if (!isVisible()) {
        setup_->clear();
        return;
    }
    (this->*then)(completed);
}

void TForm2::setJobRunning(bool running) {
    jobRunning_ = running;
    enableButtons();
}

void TForm2::enableButtons() {
    button1_->setEnabled(!jobRunning_ && contents_ != Contents::noSettings);
    button2_->setEnabled(!jobRunning_);
    button3_->setEnabled(!jobRunning_ && contents_ == Contents::settings);
}

}  // namespace kadenza
