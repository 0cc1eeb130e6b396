#pragma once

#include <QString>

class QWidget;

namespace kadenza {

// What the user chose when data not saved were about to be lost.
enum class UnsavedChoice { save, discard, cancel };

// The message boxes and file dialogs the windows show, behind one seam so that tests can
// answer them. Every call is made on the user-interface thread.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // A transfer failure: warning icon, OK.
    virtual void failure(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The About box: information icon, OK.
    virtual void information(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The application's standard error box, for a file that cannot be opened or created and
    // for anything else that escapes a handler.
    virtual void error(QWidget* parent, const QString& text) = 0;
    // Data not saved would be lost: Save, Discard or Cancel.
    virtual UnsavedChoice askToSave(QWidget* parent, const QString& caption,
                                    const QString& text) = 0;
    // A question answered Yes (true) or No.
    virtual bool ask(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The chosen existing file, or empty when the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // The chosen file to write (an existing one only after the user agreed to replace it),
    // with `defaultSuffix` added when the name has none; empty when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& filter,
                                 const QString& defaultSuffix) = 0;
};

// The real boxes and dialogs of the toolkit.
class QtMessageBoxes : public MessageBoxes {
  public:
    void failure(QWidget* parent, const QString& caption, const QString& text) override;
    void information(QWidget* parent, const QString& caption, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    UnsavedChoice askToSave(QWidget* parent, const QString& caption, const QString& text) override;
    bool ask(QWidget* parent, const QString& caption, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& defaultSuffix) override;
};

}  // namespace kadenza
