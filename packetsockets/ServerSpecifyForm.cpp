#include "packetsockets/ServerSpecifyForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "packetsockets/IntegerText.h"

namespace Zev {

namespace {
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption, int left, int top) {
  auto *label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->move(left, top);
  // Sized to its caption.
  label->adjustSize();
  return label;
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, const QString &text, const QRect &geometry) {
  auto *edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setGeometry(geometry);
  return edit;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}
} // namespace

TFormServerSpecify::TFormServerSpecify(QWidget *parent) : QDialog(parent) {
  setObjectName("FormServerSpecify");
  setWindowTitle("サーバ情報の入力");
  QFont font;
  font.setFamilies({"ＭＳ Ｐゴシック", "IPAPGothic", "IPAGothic"});
  font.setPixelSize(12);
  setFont(font);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setFixedSize(220, 130);
  move(191, 330);

  Label1 = MakeLabel(this, "Label1", "ホスト名", 8, 12);
  EditHost = MakeEdit(this, "EditHost", "", QRect(64, 8, 121, 20));
  Label2 = MakeLabel(this, "Label2", "ポート", 8, 44);
  EditPort = MakeEdit(this, "EditPort", "0", QRect(64, 40, 49, 20));
  Button1 = MakeButton(this, "Button1", "&OK", QRect(40, 72, 75, 25));
  Button2 = MakeButton(this, "Button2", "&Cancel", QRect(128, 72, 75, 25));

  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  setTabOrder(EditHost, EditPort);
  setTabOrder(EditPort, Button1);
  setTabOrder(Button1, Button2);
  EditHost->setFocus();
}

QString TFormServerSpecify::Host() const { return EditHost->text(); }

void TFormServerSpecify::SetHost(const QString &value) { EditHost->setText(value); }

int TFormServerSpecify::Port() const { return StrToInt(EditPort->text().toStdString()); }

void TFormServerSpecify::SetPort(int value) { EditPort->setText(QString::number(value)); }

} // namespace Zev
