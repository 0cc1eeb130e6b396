#pragma once

#include <QProxyStyle>

namespace kadenza {

// The application's style with what the keyboard alone needs of it: a focus frame on the tool
// buttons that stands out from the window (2 pixels in the window's text colour): the style's
// own frame on a flat tool button is too faint to find by eye.
class KeyboardStyle : public QProxyStyle {
    Q_OBJECT

  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace kadenza
