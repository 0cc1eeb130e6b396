#pragma once

#include <QApplication>

namespace kadenza {

class MessageBoxes;

// The application object: titled "Kadenza" (never translated), and the last stop of an
// exception that escapes an event handler, which is shown in the standard error box; the
// program then goes on.
class KadenzaApplication : public QApplication {
    Q_OBJECT

  public:
    KadenzaApplication(int& argc, char** argv, MessageBoxes& boxes);

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    MessageBoxes& boxes_;
};

}  // namespace kadenza
