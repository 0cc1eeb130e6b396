#include <QImage>
#include <QPainter>
#include <QtTest>

#include "app/DrawRichText.h"

// DrawRichText as pixels: where each style puts its ink, where the text stops, and the colour
// of an over-range row.

namespace kadenza::test {

namespace {

constexpr int rowHeight = 30;
const QRect row(0, 0, 300, rowHeight);
const QString face = QStringLiteral("Arial");

QImage draw(const std::u16string& text, bool bold = false, bool red = false,
            const QRect& rect = row) {
    QImage image(320, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    DrawRichText(painter, face, rect, text, 40, bold, red);
    return image;
}

bool isDark(QRgb pixel) {
    return qGray(pixel) < 128;
}

bool isRed(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

// The smallest rectangle holding every pixel from column `fromX` on that `ink` accepts; empty
// when none does.
QRect inkBox(const QImage& image, bool (*ink)(QRgb) = isDark, int fromX = 0) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = fromX; x < image.width(); ++x) {
            if (ink(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

class DrawRichTextTest : public QObject {
    Q_OBJECT

  private slots:
    void normalTypeFillsTheRow() {
        const QRect ink = inkBox(draw(u"X"));
        QVERIFY(!ink.isEmpty());
        // Capitals of a face as high as the row take most of it, and stay inside it.
        QVERIFY2(ink.height() > rowHeight / 2, qPrintable(QString::number(ink.height())));
        QVERIFY(ink.bottom() < rowHeight);
    }

    void subscriptSitsLowerAndSmaller() {
        const QRect normal = inkBox(draw(u"X"));
        const QRect subscript = inkBox(draw(u"\x1b\x02X"));
        QVERIFY(subscript.height() < normal.height());
        QVERIFY2(subscript.bottom() > normal.bottom(),
                 qPrintable(QStringLiteral("%1 %2").arg(subscript.bottom()).arg(normal.bottom())));
        QVERIFY(subscript.top() > normal.top());
    }

    void superscriptSitsAtTheTop() {
        const QRect normal = inkBox(draw(u"X"));
        for (const std::u16string& text :
             {std::u16string(u"\x1b\x03X"), std::u16string(u"\x1b\x07X")}) {
            const QRect superscript = inkBox(draw(text));
            QVERIFY(superscript.height() < normal.height());
            QVERIFY(superscript.top() <= normal.top());
            QVERIFY(superscript.bottom() < normal.bottom() - rowHeight / 5);
        }
    }

    void escapeOneReturnsToNormalType() {
        const QRect subscript = inkBox(draw(u"\x1b\x02X"));
        const QRect second = inkBox(draw(u"\x1b\x02X\x1b\x01X"), isDark, subscript.right() + 1);
        QCOMPARE(second.top(), inkBox(draw(u"X")).top());
        QCOMPARE(second.height(), inkBox(draw(u"X")).height());
    }

    void tabMovesToTheAbsolutePosition() {
        const QRect afterTab = inkBox(draw(u"\tI"));
        QVERIFY(afterTab.left() >= 40);
        QVERIFY(afterTab.left() < 46);

        // A pen already past the tab goes back to it: the I is drawn over the Ms.
        const QImage long_ = draw(u"MMMMMMMM");
        const QImage overlapped = draw(u"MMMMMMMM\tI");
        QRect changed;
        for (int y = 0; y < long_.height(); ++y) {
            for (int x = 0; x < long_.width(); ++x) {
                if (long_.pixel(x, y) != overlapped.pixel(x, y)) {
                    changed |= QRect(x, y, 1, 1);
                }
            }
        }
        QVERIFY(!changed.isEmpty());
        QVERIFY(changed.left() >= 40);
        QVERIFY(changed.right() < 50);
        QVERIFY(inkBox(long_).right() > 60);
    }

    void textEndsAtZeroCarriageReturnOrAnUnfinishedEscape() {
        const QImage ab = draw(u"AB");
        QCOMPARE(draw(u"AB\rCD"), ab);
        QCOMPARE(draw(std::u16string(u"AB\0CD", 5)), ab);
        QCOMPARE(draw(u"AB\x1b"), ab);
    }

    void redRowIsPureRedItalic() {
        const QImage red = draw(u"Illl", false, true);
        QVERIFY(!inkBox(red, isRed).isEmpty());
        QVERIFY(inkBox(red, isDark).isEmpty() || inkBox(red, isRed).contains(inkBox(red, isDark)));
        // Upright strokes lean in italics: the ink of an upright I is one column wider
        // at most, an italic one leans over several.
        const int uprightWidth = inkBox(draw(u"I")).width();
        QVERIFY(inkBox(draw(u"I", false, true), isRed).width() > uprightWidth + 1);
    }

    void boldStrokesAreWider() {
        QVERIFY(inkBox(draw(u"llll", true)).width() > inkBox(draw(u"llll")).width());
    }

    void nothingIsDrawnOutsideTheRectangle() {
        const QRect narrow(10, 5, 30, 20);
        const QRect ink = inkBox(draw(u"WWWWWWWWWW\x1b\x02WWW", false, false, narrow));
        QVERIFY(!ink.isEmpty());
        QVERIFY(narrow.contains(ink));
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::DrawRichTextTest)
#include "DrawRichTextTest.moc"
