#include "system/TN_FrmSystem1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "assets/Embedded.h"
#include "forms/SystemForm.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/CdPlayer.h"
#include "platform/audio/MidiPlayer.h"
#include "platform/audio/SoundEffects.h"
#include "platform/core/Controls.h"
#include "platform/core/EventGuard.h"
#include "platform/core/WindowPlacement.h"

namespace layout = forms::systemform;

namespace {
template <typename Widget> Widget *Place(Widget *widget, const layout::Rect &rect) {
  widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
  return widget;
}
QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }
} // namespace

TN_FrmSystem1::TN_FrmSystem1()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  // The folder the program was started in, as it is when the window is created.
  startDirectory_ = QDir::currentPath().toStdString();
  audioOutput_ = new platform::audio::AudioOutput(platform::audio::AudioOutput::Kind::Automatic, this);
  midiPlayer_ =
      new platform::audio::MidiPlayer(*audioOutput_, platform::audio::MidiPlayer::SystemSoundFont(), this);
  cdPlayer_ = new platform::audio::CdPlayer(*audioOutput_, this);
  soundEffects_ = new platform::audio::SoundEffects(*audioOutput_, this);
  BuildControls();
  FormCreate();
}

TN_FrmSystem1::~TN_FrmSystem1() = default;

void TN_FrmSystem1::BuildControls() {
  setWindowTitle(Text(layout::kCaption));
  setWindowIcon(assets::SystemWindowIcon());
  QFont font(Text(layout::kFontFamily));
  font.setPointSize(layout::kFontPoints);
  setFont(font);

  BuildPages();

  N_RaGBgm1 = Place(new platform::TGroupBox("音源の設定", this), layout::kRaGBgm1);
  N_RaBBgm1 = Place(new QRadioButton("CDによるBGM(&C)", this), layout::kRaBBgm1);
  N_RaBBgm2 = Place(new QRadioButton("MIDIによるBGM(&M)", this), layout::kRaBBgm2);
  // Both may be unchecked: exclusivity is kept by the handlers, not by Qt.
  N_RaBBgm1->setAutoExclusive(false);
  N_RaBBgm2->setAutoExclusive(false);
  N_RaBBgm1->setEnabled(false);
  N_RaBBgm2->setChecked(true);

  N_GroBgm1 = Place(new platform::TGroupBox("再生方法", this), layout::kGroBgm1);
  N_ChePlay1 = Place(new QCheckBox("オートリピート", this), layout::kChePlay[0]);
  N_ChePlay2 = Place(new QCheckBox("選曲再生", this), layout::kChePlay[1]);
  N_ChePlay3 = Place(new QCheckBox("リスト再生", this), layout::kChePlay[2]);
  N_ChePlay1->setChecked(true);
  N_ChePlay2->setChecked(true);
  for (auto *box : {N_ChePlay1, N_ChePlay2, N_ChePlay3})
    box->setEnabled(false);

  N_ComBgm1 = Place(new QComboBox(this), layout::kComBgm1);
  N_ComBgm1->setEnabled(false);
  N_EdiBgm1 = Place(new QLineEdit(Text(layout::kDefaultMidiFile), this), layout::kEdiBgm1);
  N_ButOpen1 = Place(new QPushButton("...", this), layout::kButOpen1);
  N_StaBgm1 = Place(new QLabel(this), layout::kStaBgm1);
  N_StaBgm1->setAlignment(Qt::AlignCenter);
  N_StaBgm1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // White bold on black, through the palette: a style sheet would drop the sunken frame.
  QPalette status = N_StaBgm1->palette();
  status.setColor(QPalette::Window, Qt::black);
  status.setColor(QPalette::WindowText, Qt::white);
  N_StaBgm1->setPalette(status);
  N_StaBgm1->setAutoFillBackground(true);
  QFont statusFont = font;
  statusFont.setPointSize(layout::kStatusFontPoints);
  statusFont.setBold(true);
  N_StaBgm1->setFont(statusFont);

  QToolButton **glyphs[5] = {&N_SpeBgm1, &N_SpeBgm2, &N_SpeBgm3, &N_SpeBgm4, &N_SpeBgm5};
  const char *glyphFiles[5] = {assets::kButtonPlay, assets::kButtonPause, assets::kButtonStop,
                               assets::kButtonPrevious, assets::kButtonNext};
  for (int i = 0; i < 5; ++i) {
    *glyphs[i] = Place(new QToolButton(this), layout::kSpeBgm[i]);
    (*glyphs[i])->setIcon(QIcon(glyphFiles[i]));
    (*glyphs[i])->setIconSize(QSize(24, 24));
  }
  N_SpeBgm2->setEnabled(false);
  N_SpeBgm3->setEnabled(false);
  N_SpeBgm4->setEnabled(false);
  N_SpeBgm5->setEnabled(false);
  N_ButCDCheck1 = Place(new QPushButton("CDチェック(&H)", this), layout::kButCDCheck1);
  N_ButCDCheck1->hide();
  // The frames lie under their buttons.
  N_RaGBgm1->lower();
  N_GroBgm1->lower();
  for (QWidget *control : SoundPageControls())
    control->hide();

  N_ButTab4 = Place(new QPushButton("環境変数(&O)", this), layout::kButTab4);
  N_ButTab3 = Place(new QPushButton("音源設定(&B)", this), layout::kButTab3);
  N_ButTab2 = Place(new QPushButton("情報(&S)", this), layout::kButTab2);
  N_ButTab1 = Place(new QPushButton("終了(&X)", this), layout::kButTab1);
  auto bind = [this](QPushButton *button, void (TN_FrmSystem1::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { platform::Guarded([&] { (this->*handler)(); }); });
  };
  bind(N_ButTab1, &TN_FrmSystem1::N_ButTab1Click);
  bind(N_ButTab2, &TN_FrmSystem1::N_ButTab2Click);
  bind(N_ButTab3, &TN_FrmSystem1::N_ButTab3Click);
  bind(N_ButTab4, &TN_FrmSystem1::N_ButTab4Click);
  N_StaHelp1 = Place(new QLabel(Text(layout::kCaption), this), layout::kStaHelp1);
  N_StaHelp1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  N_PopupMenu1 = new QMenu(this);
  N_PopBgm1 = N_PopupMenu1->addAction("CDによるBGM(&C)");
  N_PopBgm2 = N_PopupMenu1->addAction("MIDIによるBGM(&M)");
  N_PopupMenu1->addSeparator();
  N_PopBgm3 = N_PopupMenu1->addAction("再生(&P)");
  N_PopBgm4 = N_PopupMenu1->addAction("停止(&D)");
  N_PopBgm5 = N_PopupMenu1->addAction("一時停止(&E)");
  N_PopBgm6 = N_PopupMenu1->addAction("CDチェック(&H)");
  N_PopupMenu1->addSeparator();
  N_PopBgm7 = N_PopupMenu1->addAction("コントロールパネル(&A)");
  for (auto *item : {N_PopBgm1, N_PopBgm2, N_PopBgm4, N_PopBgm5, N_PopBgm6})
    item->setEnabled(false);
}

void TN_FrmSystem1::FormCreate() {
  // Files dropped anywhere on the window, the file box included, come to the window.
  setAcceptDrops(true);
  N_EdiBgm1->setAcceptDrops(false);
  bgmMidiPlaying = 0;
  setFixedSize(layout::kClientWidth, layout::kClientHeight);
  platform::CentreOnScreen(*this);
  BindMusicHandlers();
}

QString TN_FrmSystem1::StatusText() const { return N_StaBgm1->text(); }

void TN_FrmSystem1::StartMidiBgm(const std::string &path) {
  N_EdiBgm1->setText(QString::fromStdString(path));
  // A file that fails is shown once; nothing plays, and the caller's start-up goes on.
  if (!OpenAndPlayMidi())
    return;
  N_PopBgm5->setText("一時停止(&E)");
  N_RaBBgm1->setChecked(false);
  N_StaBgm1->setText("MIDIPLAY");
  N_SpeBgm1->setEnabled(false);
  N_SpeBgm2->setEnabled(true);
  N_SpeBgm3->setEnabled(true);
  N_RaBBgm1->setEnabled(false);
  N_RaBBgm2->setEnabled(false);
}
