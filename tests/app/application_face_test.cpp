// The application as the program sets it up, in a program of its own so no
// other test inherits its font or translation: message boxes and Qt's own
// dialogs draw in the windows' proportional face at Qt's sizes.
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "app/Program.h"
#include "forms/FormTypes.h"
#include "tests/support/MainWindowRig.h"
#include "tests/support/ModalDialog.h"

namespace {

// The network dialog's box for a bad port and the sound page's file dialog.
TEST(BoxesAndQtDialogs, DrawInTheWindowsFace) {
  const qreal qtSize = QApplication::font().pointSizeF();
  app::SetUpApplication(*qApp);
  testsupport::InFolder folder;
  apptest::ProgramWindows<> windows; // no responder: the boxes are real

  auto face = [](const QWidget *text) {
    const QFontInfo used(text->font());
    return (used.family() + " " + QString::number(used.pointSizeF())).toStdString();
  };
  const std::string expected = std::string(forms::kFontFamily) + " " + QString::number(qtSize).toStdString();
  std::string boxFace, fileFace;
  QString boxText;
  testsupport::WhenModal<QMessageBox> answer([&](QMessageBox &box) {
    if (const auto *label = box.findChild<QLabel *>("qt_msgbox_label"))
      boxText = label->text(), boxFace = face(label);
    box.accept();
  });
  windows.dialog->ShowDialog();
  windows.dialog->N_EdiNet2->setText("9120x");
  windows.dialog->N_ButAccess1->click();
  EXPECT_EQ(boxText.toStdString(), "ポート番号には 0 から 65535 までの数を入力してください。");
  EXPECT_EQ(boxFace, expected);

  testsupport::WhenModal<QFileDialog> look([&](QFileDialog &dialog) {
    if (const auto *label = dialog.findChild<QLabel *>("fileNameLabel"))
      fileFace = face(label);
    dialog.reject();
  });
  windows.system->OpenButton().click();
  EXPECT_EQ(fileFace, expected);
}

} // namespace
