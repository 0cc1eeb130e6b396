#include "setup/TForm2.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kadenza {

namespace {

// The language row a component's caption comes from, as the relabelling reads it.
void setTag(QObject* object, int row) {
    object->setProperty("tag", row);
}

QPushButton* makeButton(QWidget* parent, const char* name, int row) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    setTag(button, row);
    return button;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm2"));
    setTag(this, 15);
    button1_ = makeButton(this, "Button1", 17);
    button2_ = makeButton(this, "Button2", 18);
    button3_ = makeButton(this, "Button3", 16);

    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("ListBox1"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button1_);
    buttons->addStretch();
    buttons->addWidget(button3_);
    buttons->addWidget(button2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addLayout(buttons);

    connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button3_, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm2::showFor(const QString& portName) {
    portName_ = portName;
    exec();
}

}  // namespace kadenza
