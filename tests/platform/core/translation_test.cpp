// Qt's standard texts in Japanese: the application's message boxes, shown for
// real, answer with Japanese buttons once Qt's translation is installed.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "platform/core/MessageBox.h"
#include "platform/core/Translation.h"
#include "tests/support/ModalDialog.h"

namespace {

// Message boxes show "はい(Y)" / "いいえ(N)" and "OK" whatever the locale.
TEST(QtTranslation, MessageBoxButtonsSpeakJapanese) {
  ASSERT_TRUE(platform::InstallJapaneseQtTranslation(*QCoreApplication::instance()));
  struct Row {
    int flags;
    QStringList buttons; // as shown, without the mnemonic marks
    QString press;
    int answer;
  };
  const Row rows[] = {
      {platform::MB_YESNO | platform::MB_ICONQUESTION, {"はい(Y)", "いいえ(N)"}, "いいえ(N)", platform::IDNO},
      {platform::MB_YESNO | platform::MB_ICONQUESTION, {"はい(Y)", "いいえ(N)"}, "はい(Y)", platform::IDYES},
      {platform::MB_OK | platform::MB_ICONEXCLAMATION, {"OK"}, "OK", platform::IDOK},
  };
  for (const auto &row : rows) {
    QStringList shown;
    testsupport::WhenModal<QMessageBox> answer([&](QMessageBox &box) {
      QAbstractButton *press = nullptr;
      for (QAbstractButton *button : box.buttons()) {
        shown << button->text().remove('&');
        if (shown.back() == row.press)
          press = button;
      }
      if (press != nullptr)
        press->click();
      else
        box.done(QMessageBox::NoButton); // never leave the test waiting
    });
    const int result = platform::ShowMessageBox("終了してよろしいですか？", "確認", row.flags);
    shown.sort();
    QStringList expected = row.buttons;
    expected.sort();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(result, row.answer);
  }
}

} // namespace
