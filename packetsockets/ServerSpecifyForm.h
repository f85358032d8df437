#pragma once
// "サーバ情報の入力": the dialog the packet client shows to ask for the server.
// Its values are exchanged by property name (Host, Port).
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Zev {

class TFormServerSpecify : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Host READ Host WRITE SetHost)
  Q_PROPERTY(int Port READ Port WRITE SetPort)

public:
  explicit TFormServerSpecify(QWidget *parent = nullptr);

  QString Host() const;
  void SetHost(const QString &value);
  // The port text as an integer; text that is not one raises the conversion error.
  int Port() const;
  void SetPort(int value);

private:
  QLabel *Label1;
  QLineEdit *EditHost;
  QLabel *Label2;
  QLineEdit *EditPort;
  QPushButton *Button1;
  QPushButton *Button2;
};

} // namespace Zev
