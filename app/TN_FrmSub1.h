#pragma once
// The start-up splash: a picture without a title bar, shown modally while the
// main window's start-up work runs behind it. It destroys itself on closing.
#include <QDialog>

class TN_FrmSub1 : public QDialog {
  Q_OBJECT
public:
  explicit TN_FrmSub1(QWidget *parent = nullptr);

protected:
  // Escape does not dismiss it: the main window's closing timer does.
  void keyPressEvent(QKeyEvent *event) override;
};
