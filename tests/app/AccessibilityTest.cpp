#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "FakeMessageBoxes.h"
#include "app/AccessKeys.h"
#include "app/DataTreeView.h"
#include "app/DetailsDialog.h"
#include "app/KeyboardStyle.h"
#include "app/ReadableColour.h"
#include "app/Relabelling.h"
#include "app/SignDialog.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "inspection/InspectionFile.h"
#include "language/Language.h"
#include "setup/TForm2.h"
#include "support/LocaleGuard.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// What a screen reader gets of the main window and what the keyboard alone can reach, in
// both languages.

namespace kadenza::test {

namespace {

constexpr int loopImpedance = 3;
const int languages[] = {czechLanguage, englishLanguage};

QString accessibleText(QObject* object, QAccessible::Text kind) {
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(object);
    return access != nullptr ? access->text(kind) : QString();
}

// The access key of a caption, lower case; none when it has none.
QChar accessKeyOf(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (caption[i + 1] != QLatin1Char('&')) {
                return caption[i + 1].toLower();
            }
            ++i;
        }
    }
    return {};
}

// No two captions of one level share a key, and a caption goes without one only when every
// letter of it is another's key (a page of many fields can use up the alphabet).
void expectUniqueKeys(const QStringList& captions, const QString& level) {
    QMap<QChar, QString> owners;
    for (const QString& caption : captions) {
        const QChar key = accessKeyOf(caption);
        QVERIFY2(!owners.contains(key) || key.isNull(),
                 qPrintable(level + ": " + caption + " and " + owners.value(key)));
        owners.insert(key, caption);
    }
    for (const QString& caption : captions) {
        if (accessKeyOf(caption).isNull()) {
            for (const QChar letter : withoutAccessKey(caption)) {
                QVERIFY2(!letter.isLetterOrNumber() || owners.contains(letter.toLower()),
                         qPrintable(level + ": no key in " + caption));
            }
        }
    }
}

QStringList commandCaptions(const QWidget& holder) {
    QStringList captions;
    for (const QAction* action : holder.actions()) {
        if (!action->isSeparator()) {
            captions << action->text();
        }
    }
    return captions;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private:
    template <typename T>
    T* part(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    void inLanguage(int language) {
        SetLanguage(language);
        TranslateForms(*window_, window_->setupDialog());
    }

    FakeMessageBoxes boxes_;
    std::unique_ptr<TForm1> window_;

  private slots:
    // As the program runs.
    void initTestCase() { QApplication::setStyle(new KeyboardStyle); }

    void init() { window_ = std::make_unique<TForm1>(boxes_, QStringList()); }
    void cleanup() {
        window_.reset();
        SetLanguage(czechLanguage);
    }

    // The tool buttons show only glyphs: they are named as their commands; the port list and
    // the tree are named too, and the progress window's bar and Stop.
    void controlsWithoutTextAreNamed() {
        const std::pair<const char*, const char*> buttons[] = {{"SpeedButton1", "Starttransfer1"},
                                                               {"SpeedButton2", "Open1"},
                                                               {"SpeedButton3", "Setup1"},
                                                               {"SpeedButton4", "Saveas1"},
                                                               {"SpeedButton5", "Print1"}};
        for (int language : languages) {
            inLanguage(language);
            for (const auto& [button, command] : buttons) {
                const QString caption = withoutAccessKey(part<QAction>(command)->text());
                QCOMPARE(accessibleText(part<QToolButton>(button), QAccessible::Name), caption);
                QCOMPARE(part<QToolButton>(button)->toolTip(), caption);
            }
            const auto labels = QAccessible::queryAccessibleInterface(part<QComboBox>("ComboBox1"))
                                    ->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(withoutAccessKey(labels[0].first->text(QAccessible::Name)),
                     QString::fromUtf8(RowText(453, language)));
            QCOMPARE(accessibleText(part<DataTreeView>("TreeView1"), QAccessible::Name),
                     QString::fromUtf8(RowText(454, language)));

            TProgressForm& progress = window_->progressForm();
            progress.attach(nullptr);
            QCOMPARE(accessibleText(progress.findChild<QProgressBar*>(), QAccessible::Name),
                     QString::fromUtf8(RowText(451, language)));
            auto* stop = progress.findChild<QToolButton*>();
            QCOMPARE(accessibleText(stop, QAccessible::Name),
                     QString::fromUtf8(RowText(452, language)));
            QCOMPARE(stop->toolTip(), QString::fromUtf8(RowText(452, language)));
            progress.detach(nullptr);
        }
    }

    // Lists and tables reach a screen reader by name: a label's buddy does not name them to
    // AT-SPI. The folder of the signing dialog has no label, only its name.
    void dialogListsAndTablesAreNamed() {
        enum Dialog { detailsDialog, signDialog };
        const struct {
            Dialog dialog;
            const char* name;
            int row;
        } parts[] = {
            {detailsDialog, "environment", 428}, {detailsDialog, "location", 429},
            {detailsDialog, "Instruments", 400}, {detailsDialog, "Defects", 408},
            {detailsDialog, "Proposals", 438},   {detailsDialog, "Banks", 432},
            {signDialog, "Certificates", 436},   {signDialog, "NssFolder", 546},
        };
        const auto data = DataBuilder().bank(1).item(loopImpedance, 0.5, true).build();
        for (int language : languages) {
            inLanguage(language);
            DetailsDialog details(DetailsDocument(), *data, QString(), boxes_, nullptr);
            SignDialog sign(QByteArray(), SignatureRequest(), boxes_, nullptr);
            const QWidget* dialogs[] = {&details, &sign};
            for (const auto& part : parts) {
                auto* widget = dialogs[part.dialog]->findChild<QWidget*>(QLatin1String(part.name));
                QVERIFY2(widget != nullptr, part.name);
                QCOMPARE(accessibleText(widget, QAccessible::Name),
                         QString::fromUtf8(RowText(part.row, language)));
            }
        }
    }

    // A judged row says its verdict and limit beside its text; a bank says its label.
    void rowsSayTheirVerdicts() {
        const TempDir dir;
        const std::string path = dir.path("judged.tso");
        DetailsDocument details;
        details.set("bank.1.label", "Kuchyň");
        details.set("bank.1.device", "B16");
        details.set("bank.1.earthing", "TN");
        QVERIFY(saveInspectionFile(path,
                                   *DataBuilder()
                                        .bank(1)
                                        .item(loopImpedance, 3.1, true)
                                        .item(loopImpedance, 0.4, true)
                                        .build(),
                                   details));
        window_->openFile(QString::fromStdString(path));
        auto* tree = part<DataTreeView>("TreeView1");
        const QModelIndex bank = tree->model()->index(0, 0);
        tree->expandAll();
        // What the tree's cells give a screen reader as their description.
        const auto description = [tree](const QModelIndex& index) {
            return tree->model()->data(index, Qt::AccessibleDescriptionRole).toString();
        };
        SetLanguage(czechLanguage);
        QCOMPARE(description(bank), QStringLiteral("Kuchyň"));
        QCOMPARE(description(tree->model()->index(1, 0, bank)),
                 QStringLiteral("nevyhovuje, mez ≤ 2.87 Ω"));
        QCOMPARE(description(tree->model()->index(2, 0, bank)),
                 QStringLiteral("vyhovuje, mez ≤ 2.87 Ω"));
        SetLanguage(englishLanguage);
        QCOMPARE(description(tree->model()->index(1, 0, bank)),
                 QStringLiteral("fail, limit ≤ 2.87 Ω"));
        // With the decimal separator the row's own value is written in.
        const LocaleGuard locale(commaLocale.locale);
        if (locale.ok()) {
            QCOMPARE(description(tree->model()->index(1, 0, bank)),
                     QStringLiteral("fail, limit ≤ 2,87 Ω"));
        }
    }

    // Every menu title, command, button and label can be reached by Alt and a key that no
    // other caption of its level takes, in both languages.
    void accessKeysAreUniquePerLevel() {
        for (int language : languages) {
            inLanguage(language);
            const QString name =
                language == czechLanguage ? QStringLiteral("cs ") : QStringLiteral("en ");
            expectUniqueKeys(commandCaptions(*window_->menuBar()), name + "menu bar");
            // A caption takes the first letter of a word where it can, before another caption
            // falls back to any of its letters.
            QCOMPARE(part<QAction>("English1")->text(), QStringLiteral("&English"));
            for (const QMenu* menu : window_->findChildren<QMenu*>()) {
                expectUniqueKeys(commandCaptions(*menu), name + menu->objectName());
            }
            QStringList setupButtons;
            for (const QPushButton* button : window_->setupDialog().findChildren<QPushButton*>()) {
                setupButtons << button->text();
            }
            expectUniqueKeys(setupButtons, name + "setup");

            DetailsDialog details(window_->details(), window_->instrumentData(), QString(), boxes_,
                                  window_.get());
            auto* tabs = details.findChild<QTabWidget*>();
            QStringList outer;
            for (int tab = 0; tab < tabs->count(); ++tab) {
                outer << tabs->tabText(tab);
            }
            for (const QDialogButtonBox* box :
                 details.findChildren<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)) {
                for (const QAbstractButton* button : box->buttons()) {
                    outer << button->text();
                }
            }
            expectUniqueKeys(outer, name + "details tabs");
            for (int tab = 0; tab < tabs->count(); ++tab) {
                QStringList captions = outer;
                for (const QLabel* label : tabs->widget(tab)->findChildren<QLabel*>()) {
                    if (label->buddy() != nullptr && label->textFormat() != Qt::RichText) {
                        captions << label->text();
                    }
                }
                expectUniqueKeys(captions, name + "details tab " + withoutAccessKey(outer[tab]));
            }
        }
    }

    // A tool button with the keyboard's focus is framed so that the frame stands out from the
    // window, 3:1 at least.
    void focusedToolButtonStandsOut() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        auto* button = part<QToolButton>("SpeedButton2");
        button->setFocus(Qt::TabFocusReason);
        QVERIFY(button->hasFocus());
        const QImage image = button->grab().toImage();
        const QColor window = window_->palette().color(QPalette::Window);
        double frame = 1;
        for (int x = 0; x < image.width(); ++x) {
            frame = std::max(frame, contrastRatio(image.pixelColor(x, 0), window));
        }
        QVERIFY2(frame >= 3, qPrintable(QString::number(frame)));
    }

    // The commands of a whole job have shortcuts, and F10 or Alt alone opens the menu bar.
    void commonCommandsHaveShortcuts() {
        const std::pair<const char*, QKeySequence> shortcuts[] = {
            {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"Saveas1", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"Print1", QKeySequence(Qt::CTRL | Qt::Key_P)},
            {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
            {"Starttransfer1", QKeySequence(Qt::CTRL | Qt::Key_T)},
            {"Setup1", QKeySequence(Qt::CTRL | Qt::Key_E)},
            {"Inspectiondetails1", QKeySequence(Qt::CTRL | Qt::Key_I)},
            {"InspectionreportPDF1", QKeySequence(Qt::CTRL | Qt::Key_R)}};
        for (const auto& [command, keys] : shortcuts) {
            QCOMPARE(part<QAction>(command)->shortcut(), keys);
        }
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QTest::keyClick(window_.get(), Qt::Key_F10);
        QCOMPARE(window_->menuBar()->activeAction(), part<QMenu>("File1")->menuAction());
        QTest::keyClick(window_->menuBar(), Qt::Key_Escape);
        QVERIFY(window_->menuBar()->activeAction() == nullptr);
        // Alt pressed and let go alone goes to the menu bar as well.
        QTest::keyClick(part<DataTreeView>("TreeView1"), Qt::Key_Alt);
        QCOMPARE(window_->menuBar()->activeAction(), part<QMenu>("File1")->menuAction());
    }

    // Shift+F10 opens the tree's menu at the selected row, as the Menu key does.
    void contextMenuOpensFromTheKeyboardAtTheRow() {
        const TempDir dir;
        const std::string path = dir.path("data.tso");
        QVERIFY(saveInspectionFile(path, *sampleData(), DetailsDocument()));
        window_->openFile(QString::fromStdString(path));
        window_->show();
        auto* tree = part<DataTreeView>("TreeView1");
        const QModelIndex row = tree->model()->index(2, 0);
        tree->setCurrentIndex(row);
        tree->setFocus();
        QPoint shownAt;
        QTimer::singleShot(0, this, [&shownAt] {
            QWidget* menu = QApplication::activePopupWidget();
            QVERIFY(menu != nullptr);
            shownAt = menu->pos();
            menu->close();
        });
        QTest::keyClick(tree, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(shownAt, tree->viewport()->mapToGlobal(tree->visualRect(row).bottomLeft()));
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::AccessibilityTest)
#include "AccessibilityTest.moc"
