#include "network/TN_FrmSub2.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "forms/NetworkForm.h"
#include "platform/core/Controls.h"
#include "platform/core/EventGuard.h"
#include "platform/core/WindowPlacement.h"

namespace layout = forms::networkform;

namespace {
QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

template <typename Widget> Widget *Place(Widget *widget, const layout::Rect &rect) {
  widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
  return widget;
}

platform::TLabel *MakeLabel(QWidget *parent, std::string_view caption, const layout::Rect &rect) {
  auto *label = new platform::TLabel(parent);
  label->SetCaption(std::string(caption));
  label->SetFont(Text(layout::kFontFamily), layout::kFontPixels, false);
  label->SetBounds(rect.left, rect.top, rect.width, rect.height);
  return label;
}
} // namespace

TN_FrmSub2::TN_FrmSub2()
    : QWidget(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(Text(layout::kCaption));
  setFixedSize(layout::kClientWidth, layout::kClientHeight);
  QFont font(Text(layout::kFontFamily));
  font.setPixelSize(layout::kFontPixels);
  setFont(font);

  Label1 = MakeLabel(this, layout::kLabel1Caption, layout::kLabel1);
  N_EdiNet1 = Place(new QLineEdit(Text(layout::kDefaultHost), this), layout::kEdiNet1);
  Label2 = MakeLabel(this, layout::kLabel2Caption, layout::kLabel2);
  N_EdiNet2 = Place(new QLineEdit(Text(layout::kDefaultPort), this), layout::kEdiNet2);
  N_CheAccess1 = Place(new QCheckBox(Text(layout::kServerCaption), this), layout::kCheAccess1);
  N_ButAccess1 = Place(new QPushButton(Text(layout::kConnectCaption), this), layout::kButAccess1);
  Button1 = Place(new QPushButton(Text(layout::kCancelCaption), this), layout::kButton1);

  setTabOrder(N_ButAccess1, N_CheAccess1);
  setTabOrder(N_CheAccess1, N_EdiNet2);
  setTabOrder(N_EdiNet2, N_EdiNet1);
  setTabOrder(N_EdiNet1, Button1);
  N_ButAccess1->setFocus();

  connect(N_ButAccess1, &QPushButton::clicked, this, [this] { N_ButAccess1Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TN_FrmSub2::N_ButAccess1Click() {
  platform::Guarded([this] {
    if (OnAccessClick)
      OnAccessClick();
  });
}

void TN_FrmSub2::Button1Click() {
  platform::Guarded([this] {
    if (OnCancelClick)
      OnCancelClick();
  });
}

std::string TN_FrmSub2::HostText() const { return N_EdiNet1->text().toStdString(); }
std::string TN_FrmSub2::PortText() const { return N_EdiNet2->text().toStdString(); }
bool TN_FrmSub2::ServerChecked() const { return N_CheAccess1->isChecked(); }

void TN_FrmSub2::SetConnectMode(bool connect) {
  N_EdiNet1->setEnabled(connect);
  N_EdiNet2->setEnabled(connect);
  N_CheAccess1->setEnabled(connect);
  N_ButAccess1->setText(Text(connect ? layout::kConnectCaption : layout::kDisconnectCaption));
}

bool TN_FrmSub2::InConnectMode() const { return N_EdiNet1->isEnabled(); }

void TN_FrmSub2::ShowDialog() {
  if (!placed_) {
    // Centred on the screen the first time it is shown.
    platform::CentreOnScreen(*this);
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

void TN_FrmSub2::HideDialog() { hide(); }
