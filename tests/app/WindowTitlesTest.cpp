#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/KadenzaApplication.h"
#include "app/MessageBoxes.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "language/Language.h"
#include "setup/TForm2.h"

// The titles the window system is given, read back from the X server: each window shows its
// caption exactly, with nothing after it. Runs on a virtual X server (the xcb platform), with
// the program's own message boxes.

namespace kadenza::test {

class WindowTitlesTest : public QObject {
    Q_OBJECT

  private:
    // A property of the window as xprop prints it: _NET_WM_NAME(UTF8_STRING) = "Chyba", or
    // _NET_WM_ICON:  not found.
    static QString propertyOnScreen(const QWidget& window, const QString& name) {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(window.winId()), name});
        xprop.waitForFinished(5000);
        return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    }

    static QString titleOnScreen(const QWidget& window) {
        const QString line = propertyOnScreen(window, QStringLiteral("_NET_WM_NAME"));
        const int quote = line.indexOf('"');
        return quote < 0 ? line : line.mid(quote + 1, line.size() - quote - 2);
    }

  private slots:
    void windowsShowTheirCaptionsAlone() {
        SetLanguage(czechLanguage);
        QtMessageBoxes boxes;
        TForm1 window(boxes, {});
        TranslateForms(window, window.setupDialog());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(titleOnScreen(window), QStringLiteral("Kadenza"));

        TProgressForm& progress = window.progressForm();
        progress.attach(nullptr);
        progress.setCaptionText(QStringLiteral("Mx350"));
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
        QCOMPARE(titleOnScreen(progress), QStringLiteral("Mx350"));
        progress.closeWindow();

        // Shown without a port, the setup dialog's read fails with the failure message box,
        // which runs a loop of its own: a timer reads its title and closes it.
        QString errorTitle;
        QTimer boxWatch;
        connect(&boxWatch, &QTimer::timeout, this, [&errorTitle] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->windowHandle() != nullptr &&
                box->windowHandle()->isExposed()) {
                errorTitle = titleOnScreen(*box);
                box->accept();
            }
        });
        boxWatch.start(20);
        TForm2& dialog = window.setupDialog();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(titleOnScreen(dialog), QStringLiteral("Nastavení"));
        QTRY_VERIFY_WITH_TIMEOUT(!errorTitle.isEmpty(), 10000);
        QCOMPARE(errorTitle, QStringLiteral("Chyba"));
        QTRY_VERIFY(dialog.findChild<QWidget*>(QStringLiteral("Button2"))->isEnabled());
        dialog.reject();
    }

    // The window system draws the program's icon, and finds its desktop entry by the name the
    // package installs it under.
    void windowCarriesItsIconAndNamesItsDesktopEntry() {
        QtMessageBoxes boxes;
        TForm1 window(boxes, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(propertyOnScreen(window, QStringLiteral("_NET_WM_ICON")).contains('='));
        QVERIFY(QFile::exists(QStringLiteral(KADENZA_SOURCE_DIR "/packaging/") +
                              QGuiApplication::desktopFileName() + QStringLiteral(".desktop")));
    }
};

}  // namespace kadenza::test

int main(int argc, char* argv[]) {
    kadenza::QtMessageBoxes boxes;
    kadenza::KadenzaApplication application(argc, argv, boxes);
    kadenza::test::WindowTitlesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTitlesTest.moc"
