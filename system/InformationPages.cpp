// The pages of the sound and system window: the tabs, the information page
// drawn on black, the environment list, and the sound page's captions.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QToolButton>

#include "assets/Embedded.h"
#include "forms/SystemForm.h"
#include "platform/core/Controls.h"
#include "platform/core/ImageDecoders.h"
#include "system/SystemInformation.h"
#include "system/TN_FrmSystem1.h"

namespace layout = forms::systemform;

namespace {
constexpr int kTextX = 5;
const QColor kWhite(255, 255, 255);

QFont PageFont() {
  QFont font(QString::fromUtf8(layout::kFontFamily.data()));
  font.setPointSize(layout::kFontPoints);
  return font;
}

// Rows of one fixed height, lower than the font's line. The text sits on the
// row's bottom so that only the lowest pixel of a descender is cut, while
// underscores and the tops of capitals and kanji show.
class FixedRowHeight : public QStyledItemDelegate {
public:
  FixedRowHeight(int height, QObject *parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = Qt::AlignLeft | Qt::AlignBottom;
  }

private:
  int height_;
};

// Text placed by its top edge, as the page's rows are given.
void DrawTextAt(QPainter &painter, int x, int top, const std::string &text) {
  painter.drawText(QRect(x, top, 2000, 200), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(text));
}
} // namespace

void TN_FrmSystem1::BuildPages() {
  N_ImaInformation1 = new QLabel(this);
  N_ImaInformation1->setGeometry(layout::kImaInformation1.left, layout::kImaInformation1.top,
                                 layout::kImaInformation1.width, layout::kImaInformation1.height);
  QFile start(assets::kSystemStart);
  if (start.open(QIODevice::ReadOnly)) {
    try {
      N_ImaInformation1->setPixmap(
          QPixmap::fromImage(platform::DecodeJpeg(start.readAll(), "systemstart.jpg")));
    } catch (const std::exception &) {
      // The window works without its start picture.
    }
  }

  N_ImaInformation2 = new platform::TImage(this);
  N_ImaInformation2->setGeometry(layout::kImaInformation2.left, layout::kImaInformation2.top,
                                 layout::kImaInformation2.width, layout::kImaInformation2.height);

  for (int i = 0; i < 6; ++i) {
    auto *label = new platform::TLabel(this);
    label->SetFont(QString::fromUtf8(layout::kFontFamily.data()), 12, false);
    label->SetColour(kWhite);
    label->SetAlignment(Qt::AlignRight | Qt::AlignTop);
    label->SetBounds(layout::kLabInformationLeft, layout::kLabInformationTops[i],
                     layout::kLabInformationWidth, layout::kLabInformationHeight);
    label->hide();
    N_LabInformation[static_cast<std::size_t>(i)] = label;
  }

  N_LisSystem1 = new QListWidget(this);
  N_LisSystem1->setGeometry(layout::kLisSystem1.left, layout::kLisSystem1.top, layout::kLisSystem1.width,
                            layout::kLisSystem1.height);
  N_LisSystem1->setStyleSheet("QListWidget { background: black; color: white; }");
  N_LisSystem1->setItemDelegate(new FixedRowHeight(layout::kLisSystem1ItemHeight, N_LisSystem1));
  N_LisSystem1->setUniformItemSizes(true);
  N_LisSystem1->hide();

  information_ = std::make_unique<sysinfo::LinuxSystemInformation>();
}

void TN_FrmSystem1::SetSystemInformationSource(std::unique_ptr<sysinfo::SystemInformationSource> source) {
  information_ = std::move(source);
}

QWidget &TN_FrmSystem1::StartPicture() { return *N_ImaInformation1; }

std::vector<QWidget *> TN_FrmSystem1::SoundPageControls() const {
  return {N_ComBgm1, N_EdiBgm1, N_StaBgm1, N_SpeBgm1,  N_SpeBgm2, N_SpeBgm3,  N_SpeBgm4,  N_SpeBgm5,
          N_RaGBgm1, N_RaBBgm1, N_RaBBgm2, N_ButOpen1, N_GroBgm1, N_ChePlay1, N_ChePlay2, N_ChePlay3};
}

void TN_FrmSystem1::ShowPage(bool information, bool sound, bool environment) {
  N_ImaInformation1->hide(); // the start picture never comes back
  N_ImaInformation2->setVisible(information);
  for (auto *label : N_LabInformation)
    label->setVisible(information);
  for (QWidget *control : SoundPageControls())
    control->setVisible(sound);
  if (sound) {
    if (N_RaBBgm1->isChecked())
      N_ButCDCheck1->show();
  } else {
    N_ButCDCheck1->hide();
  }
  N_LisSystem1->setVisible(environment);
  update(); // the sound page's captions come and go with it
}

void TN_FrmSystem1::N_ButTab1Click() { close(); }

void TN_FrmSystem1::N_ButTab2Click() {
  ShowPage(true, false, false);
  platform::TBitmap &canvas = N_ImaInformation2->Picture();
  if (canvas.Width() != layout::kPage.width || canvas.Height() != layout::kPage.height)
    canvas.SetSize(layout::kPage.width, layout::kPage.height);
  {
    QPainter painter(&canvas.Image());
    painter.fillRect(QRect(0, 0, 640, 480), Qt::black);
    painter.setFont(PageFont());
    painter.setPen(kWhite);
    const auto &info = *information_;
    DrawTextAt(painter, kTextX, 73, "画面解像度 :");
    InformationLabel(4).SetCaption(sysinfo::ResolutionText(info.ScreenWidth(), info.ScreenHeight()));
    DrawTextAt(painter, kTextX, 87, "表示色 :");
    InformationLabel(5).SetCaption(sysinfo::ColoursText(info.BitsPerPixel()));
    DrawTextAt(painter, kTextX, 31, "コンピュータ名:");
    InformationLabel(1).SetCaption(sysinfo::ComputerNameText(info.ComputerName()));
    DrawTextAt(painter, kTextX, 45, "プロセッサタイプ:");
    InformationLabel(2).SetCaption(sysinfo::ProcessorText(info.Processor()));
    DrawTextAt(painter, kTextX, 101, "物理ﾒﾓﾘ:");
    InformationLabel(6).SetCaption(sysinfo::MemoryText(info.AvailableMemoryBytes()));
  }
  DrawOsInformation();
  N_ImaInformation2->Refresh();
}

void TN_FrmSystem1::DrawOsInformation() {
  QPainter painter(&N_ImaInformation2->Picture().Image());
  painter.setFont(PageFont());
  painter.setPen(kWhite);
  DrawTextAt(painter, kTextX, 3, "ｼｽﾃﾑ情報");
  DrawTextAt(painter, kTextX, 59, "OS :");
  InformationLabel(3).SetCaption(sysinfo::OsText(information_->Os()));
  DrawTextAt(painter, kTextX, 129, "VELMORASYSTEMは正常に動作しています_");
}

void TN_FrmSystem1::N_ButTab3Click() { ShowPage(false, true, false); }

void TN_FrmSystem1::N_ButTab4Click() {
  ShowPage(false, false, true);
  N_LisSystem1->clear();
  for (const std::string &entry : information_->Environment())
    N_LisSystem1->addItem(QString::fromLocal8Bit(entry.c_str()));
}

void TN_FrmSystem1::paintEvent(QPaintEvent *event) {
  QWidget::paintEvent(event);
  // The captions of the track list and the file box belong to the sound page:
  // painted whenever it shows, so a repaint never loses them.
  if (!N_EdiBgm1->isVisible())
    return;
  QPainter painter(this);
  painter.setFont(PageFont());
  painter.setPen(Qt::black);
  DrawTextAt(painter, 216, 4, "再生するトラック");
  DrawTextAt(painter, 216, 43, "MIDIファイルの場所");
}
