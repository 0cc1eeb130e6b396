#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/MessageBoxes.h"

namespace kadenza::test {

// One box or dialog as the windows asked for it.
struct ShownBox {
    QString kind;  // "failure", "information", "error", "question", "ask", "open" or "save"
    QWidget* parent = nullptr;
    QString caption;
    QString text;  // the message, or the dialog's filter
    QString defaultSuffix;
};

// Answers the windows' boxes and dialogs without a person: writes down every request, gives
// the file names the test queued (an empty queue is a cancelled dialog), and can run a check
// while a box is "open", as a user would look at the screen before pressing OK.
class FakeMessageBoxes : public MessageBoxes {
  public:
    void failure(QWidget* parent, const QString& caption, const QString& text) override {
        showBox({"failure", parent, caption, text, {}});
    }
    void information(QWidget* parent, const QString& caption, const QString& text) override {
        showBox({"information", parent, caption, text, {}});
    }
    void error(QWidget* parent, const QString& text) override {
        showBox({"error", parent, {}, text, {}});
    }
    UnsavedChoice askToSave(QWidget* parent, const QString& caption, const QString& text) override {
        showBox({"question", parent, caption, text, {}});
        return answers.empty() ? UnsavedChoice::discard : takeAnswer();
    }
    bool ask(QWidget* parent, const QString& caption, const QString& text) override {
        showBox({"ask", parent, caption, text, {}});
        if (yesNo.empty()) {
            return false;
        }
        const bool answer = yesNo.front();
        yesNo.erase(yesNo.begin());
        return answer;
    }
    QString openFileName(QWidget* parent, const QString& filter) override {
        shown.push_back({"open", parent, {}, filter, {}});
        return nextFileName();
    }
    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& defaultSuffix) override {
        shown.push_back({"save", parent, {}, filter, defaultSuffix});
        return nextFileName();
    }

    // The texts of the message boxes shown so far, dialogs left out.
    QStringList messages() const {
        QStringList texts;
        for (const ShownBox& box : shown) {
            if (box.kind != "open" && box.kind != "save") {
                texts << box.text;
            }
        }
        return texts;
    }

    std::vector<ShownBox> shown;
    // Answers of the next file dialogs, first one first.
    QStringList fileNames;
    // Answers of the next questions about unsaved data; Discard when none is left.
    std::vector<UnsavedChoice> answers;
    // Answers of the next Yes/No questions; No when none is left.
    std::vector<bool> yesNo;
    // Runs inside each message box before it is "closed".
    std::function<void(const ShownBox&)> whileOpen;

  private:
    void showBox(const ShownBox& box) {
        shown.push_back(box);
        if (whileOpen) {
            whileOpen(box);
        }
    }
    QString nextFileName() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
    UnsavedChoice takeAnswer() {
        const UnsavedChoice answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

}  // namespace kadenza::test
