#include "app/AccessKeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <functional>
#include <vector>

namespace kadenza {

namespace {

// A caption that can take an access key.
struct Caption {
    QString text;
    std::function<void(const QString&)> set;
};

bool startsWord(const QString& text, int i) {
    return i == 0 || !text[i - 1].isLetterOrNumber();
}

// A letter that any keyboard types, Czech or not.
bool isPlainLetter(QChar letter) {
    return letter.isLetterOrNumber() && letter.unicode() < 0x80;
}

// The letters a key may be, from the most fitting: a plain letter that starts a word, then any
// plain letter, then any letter at all (an accented one).
enum class Fit { wordStart, plain, any };

bool fits(const QString& shown, int i, Fit fit) {
    switch (fit) {
        case Fit::wordStart:
            return isPlainLetter(shown[i]) && startsWord(shown, i);
        case Fit::plain:
            return isPlainLetter(shown[i]);
        case Fit::any:
            break;
    }
    return shown[i].isLetterOrNumber();
}

// The first free letter of that fit; -1 when there is none.
int keyPosition(const QString& shown, const QSet<QChar>& taken, Fit fit) {
    for (int i = 0; i < shown.size(); ++i) {
        if (fits(shown, i, fit) && !taken.contains(shown[i].toLower())) {
            return i;
        }
    }
    return -1;
}

QString withKeyAt(const QString& shown, int position) {
    QString text;
    for (int i = 0; i < shown.size(); ++i) {
        if (i == position) {
            text += QLatin1Char('&');
        }
        text += shown[i];
        if (shown[i] == QLatin1Char('&')) {
            text += QLatin1Char('&');
        }
    }
    return text;
}

// Every caption gets the best fit any of them can have before any gets a worse one: "English"
// takes its E before "Česky" falls back to its e.
void giveKeys(const std::vector<Caption>& captions, QSet<QChar>& taken) {
    std::vector<QString> shown;
    for (const Caption& caption : captions) {
        shown.push_back(withoutAccessKey(caption.text));
    }
    std::vector<int> positions(captions.size(), -1);
    for (Fit fit : {Fit::wordStart, Fit::plain, Fit::any}) {
        for (std::size_t c = 0; c < captions.size(); ++c) {
            if (positions[c] < 0) {
                positions[c] = keyPosition(shown[c], taken, fit);
                if (positions[c] >= 0) {
                    taken.insert(shown[c][positions[c]].toLower());
                }
            }
        }
    }
    for (std::size_t c = 0; c < captions.size(); ++c) {
        const QString marked = withKeyAt(shown[c], positions[c]);
        if (marked != captions[c].text) {
            captions[c].set(marked);
        }
    }
}

std::vector<Caption> commandsOf(const QWidget& holder) {
    std::vector<Caption> captions;
    for (QAction* action : holder.actions()) {
        if (!action->isSeparator() && !action->text().isEmpty()) {
            // A menu's title is the text of its action in the menu bar.
            captions.push_back(
                {action->text(), [action](const QString& text) { action->setText(text); }});
        }
    }
    return captions;
}

// The page of a tab widget, when `widget` is one.
bool isTabPage(const QWidget& widget) {
    const QWidget* stack = widget.parentWidget();
    return stack != nullptr && qobject_cast<const QStackedWidget*>(stack) != nullptr &&
           qobject_cast<const QTabWidget*>(stack->parentWidget()) != nullptr;
}

// Whether the widget belongs to `level` itself, not to a tab page within it.
bool inLevel(const QWidget& widget, const QWidget& level) {
    for (const QWidget* owner = widget.parentWidget(); owner != nullptr && owner != &level;
         owner = owner->parentWidget()) {
        if (isTabPage(*owner) || owner->isWindow()) {
            return false;
        }
    }
    return true;
}

// A label of markup (a subscript) would show the mark of a key as it is.
bool isPlain(const QLabel& label) {
    return label.textFormat() == Qt::PlainText ||
           (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(label.text()));
}

std::vector<Caption> controlsOf(QWidget& level) {
    std::vector<Caption> captions;
    for (QWidget* widget : level.findChildren<QWidget*>()) {
        if (!inLevel(*widget, level)) {
            continue;
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                captions.push_back({tabs->tabText(tab), [tabs, tab](const QString& text) {
                                        tabs->setTabText(tab, text);
                                    }});
            }
        } else if (auto* label = qobject_cast<QLabel*>(widget);
                   label && label->buddy() && isPlain(*label)) {
            captions.push_back(
                {label->text(), [label](const QString& text) { label->setText(text); }});
        } else if (auto* group = qobject_cast<QGroupBox*>(widget); group && group->isCheckable()) {
            captions.push_back(
                {group->title(), [group](const QString& text) { group->setTitle(text); }});
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
                   button && !qobject_cast<QToolButton*>(button) && !button->text().isEmpty()) {
            captions.push_back(
                {button->text(), [button](const QString& text) { button->setText(text); }});
        }
    }
    return captions;
}

void giveLevelKeys(QWidget& level, QSet<QChar> taken) {
    giveKeys(controlsOf(level), taken);
    for (QTabWidget* tabs : level.findChildren<QTabWidget*>()) {
        if (inLevel(*tabs, level)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                giveLevelKeys(*tabs->widget(tab), taken);
            }
        }
    }
}

}  // namespace

// A single "&" marks a key and is not shown, "&&" shows as "&".
QString withoutAccessKey(const QString& caption) {
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

void giveAccessKeys(QMenu& menu) {
    QSet<QChar> taken;
    giveKeys(commandsOf(menu), taken);
}

void giveAccessKeys(QWidget& window) {
    for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        QSet<QChar> taken;
        giveKeys(commandsOf(*bar), taken);
    }
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        giveAccessKeys(*menu);
    }
    giveLevelKeys(window, {});
}

}  // namespace kadenza
