#include "app/TN_FrmMain1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "assets/Embedded.h"
#include "forms/MainForm.h"
#include "forms/NetworkForm.h"
#include "game/MatchMessages.h"
#include "game/TopMenu.h"
#include "network/TN_FrmSub2.h"
#include "platform/audio/SoundEffects.h"
#include "platform/core/EventGuard.h"
#include "platform/core/Exception.h"
#include "platform/core/KeyboardReturn.h"
#include "platform/core/MenuClicks.h"
#include "platform/core/MenuEscape.h"
#include "platform/core/MessageBox.h"
#include "platform/core/StandInAction.h"
#include "platform/core/WideMnemonic.h"
#include "platform/core/WindowManager.h"
#include "platform/core/WindowPlacement.h"
#include "system/TN_FrmSystem1.h"

using game::Label;
using game::MenuItem;
using game::Picture;
using game::Timer;
namespace layout = forms::mainform;

QPointer<QWidget> N_FrmSub1;

TN_FrmMain1::TN_FrmMain1() : display_(platform::MakeDesktopDisplayModeSwitcher()) {
  N_PacketServerSocket1.SetPort(forms::networkform::kServerSocketPort);
  BuildMenu();
  BuildKeys();
  BuildControls();
  BuildTimers();
  FormCreate();
}

TN_FrmMain1::~TN_FrmMain1() {
  // No socket event may reach a match that is going.
  sockets_.Bind(nullptr);
}

void TN_FrmMain1::AttachSystemWindow(TN_FrmSystem1 &system) {
  system_ = &system;
  platform::GiveKeyboardBackOnClose(system, *this);
}

void TN_FrmMain1::AttachNetworkDialog(TN_FrmSub2 &dialog) {
  platform::GiveKeyboardBackOnClose(dialog, *this);
  sockets_.Bind(nullptr);
  match_ = std::make_unique<network::NetworkMatch>(state_, *this, game_, sockets_, dialog);
  sockets_.Bind(match_.get());
  dialog.OnAccessClick = [this] { match_->N_ButAccess1Click(); };
  dialog.OnCancelClick = [this] { match_->Button1Click(); };
}

void TN_FrmMain1::BuildMenu() {
  QMenuBar *bar = menuBar();
  platform::GiveKeysBackOnMenuEscape(*bar); // the next Escape asks to quit
  for (const auto &item : layout::kMenu) {
    const QString caption = QString::fromUtf8(item.caption.data(), static_cast<int>(item.caption.size()));
    QAction *action = nullptr;
    if (item.id == MenuItem::N_MenOption1) {
      optionMenu_ = bar->addMenu(caption);
      platform::ChooseWithLeftButtonOnly(*optionMenu_); // the bar's own items take the left button only
      action = optionMenu_->menuAction();
    } else if (item.inOptions) {
      if (item.separatorBefore)
        optionMenu_->addSeparator();
      action = optionMenu_->addAction(caption);
    } else {
      action = bar->addAction(caption);
    }
    if (!item.shortcut.empty())
      action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut.data(), int(item.shortcut.size()))));
    const bool level = item.id == MenuItem::N_MenLevel1 || item.id == MenuItem::N_MenLevel2 ||
                       item.id == MenuItem::N_MenLevel3;
    action->setCheckable(level);
    action->setChecked(item.checked);
    action->setEnabled(item.enabled);
    if (!item.shortcut.empty())
      KeepShortcutWhileHidden(*action);
    if (!item.inOptions)
      platform::AcceptHalfWidthMnemonic(*this, *action);
    menu_[item.id] = action;
  }
  auto bind = [this](MenuItem item, auto handler) {
    connect(menu_[item], &QAction::triggered, this,
            [this, handler] { platform::Guarded([&] { (this->*handler)(); }); });
  };
  auto bindGame = [this](MenuItem item, void (game::MarvokGame::*handler)()) {
    connect(menu_[item], &QAction::triggered, this,
            [this, handler] { platform::Guarded([&] { (game_.*handler)(); }); });
  };
  bind(MenuItem::N_MenEnd1, &TN_FrmMain1::N_MenEnd1Click);
  bindGame(MenuItem::N_MenNew1, &game::MarvokGame::N_MenNew1Click);
  bind(MenuItem::N_MenNet1, &TN_FrmMain1::N_MenNet1Click);
  bindGame(MenuItem::N_MenLevel1, &game::MarvokGame::N_MenLevel1Click);
  bindGame(MenuItem::N_MenLevel2, &game::MarvokGame::N_MenLevel2Click);
  bindGame(MenuItem::N_MenLevel3, &game::MarvokGame::N_MenLevel3Click);
  bind(MenuItem::N_MenFull1, &TN_FrmMain1::N_MenFull1Click);
  bind(MenuItem::N_MenTool1, &TN_FrmMain1::N_MenTool1Click);
  bind(MenuItem::N_MenHelp1, &TN_FrmMain1::N_MenHelp1Click);
}

// A shortcut answers while full screen hides its item, and a disabled item's
// does nothing. Each key has one live owner at a time (Qt fires neither of two):
// the item while it shows, a window-level stand-in while it is hidden.
void TN_FrmMain1::KeepShortcutWhileHidden(QAction &item) {
  addAction(&item); // an item of a hidden sub-menu answers through the window
  // Hiding an action also switches its shortcut off.
  platform::AddStandInAction(*this, item, item.shortcut(),
                             [](const QAction &shown) { return !shown.isVisible(); });
}

void TN_FrmMain1::BuildKeys() {
  // Escape closes the window (which asks first) whenever the window is active.
  // A window-level shortcut sees the key wherever the keyboard is inside the
  // window, also once the menu bar has kept it; an open menu, or the menu bar
  // while it highlights an item, still takes Escape first.
  auto *escape = new QAction(this);
  escape->setShortcut(Qt::Key_Escape);
  addAction(escape);
  connect(escape, &QAction::triggered, this, [this] { close(); });
}

void TN_FrmMain1::BuildControls() {
  // The 640 by 480 client area sits at the centre of a black frame, which is
  // all of the window in window mode and the whole screen in full screen.
  auto *frame = new QWidget(this);
  QPalette black = frame->palette();
  black.setColor(QPalette::Window, Qt::black);
  frame->setPalette(black);
  frame->setAutoFillBackground(true);
  auto *centring = new QGridLayout(frame);
  centring->setContentsMargins(0, 0, 0, 0);
  client_ = new QWidget(frame);
  client_->setFixedSize(layout::kClientWidth, layout::kClientHeight);
  centring->addWidget(client_, 0, 0, Qt::AlignCenter);
  setCentralWidget(frame);

  auto makeCell = [this](int k) {
    auto *cell = new platform::TImage(client_);
    cell->SetAutoSize(true);
    cell->resize(20, 21);
    cell->setAttribute(Qt::WA_OpaquePaintEvent); // a tile covers the whole cell
    cell->OnMouseDown = [this, k](Qt::MouseButton) { game_.CellMouseDown(k); };
    cell->OnMouseMove = [this, k] { game_.CellMouseMove(k); };
    cells_[static_cast<std::size_t>(k)] = cell;
  };

  for (const auto &component : layout::kStacking) {
    switch (component.kind) {
    case layout::ComponentEntry::kCells:
      for (int k = 1; k <= 100; ++k)
        if (k != 70)
          makeCell(k);
      break;
    case layout::ComponentEntry::kImage70: makeCell(70); break;
    case layout::ComponentEntry::kPicture: {
      const auto &entry = component.picture;
      auto *image = new platform::TImage(client_);
      image->move(entry.left, entry.top);
      if (entry.width > 0)
        image->resize(entry.width, entry.height);
      image->SetAutoSize(entry.width == 0);
      image->SetStretch(entry.stretch);
      image->SetTransparent(entry.transparent);
      image->setVisible(entry.visible);
      pictures_[entry.id] = image;
      break;
    }
    case layout::ComponentEntry::kLabel: {
      const auto &entry = component.label;
      auto *label = new platform::TLabel(client_);
      label->SetCaption(std::string(entry.caption));
      label->SetFont(QString::fromUtf8(entry.family.data(), static_cast<int>(entry.family.size())),
                     entry.pixelSize, entry.bold);
      label->SetColour(QColor::fromRgb(entry.rgb));
      label->SetAlignment(entry.align == 1   ? Qt::AlignHCenter | Qt::AlignTop
                          : entry.align == 2 ? Qt::AlignRight | Qt::AlignTop
                                             : Qt::AlignLeft | Qt::AlignTop);
      label->SetBounds(entry.left, entry.top, entry.width, entry.height);
      label->setVisible(entry.visible);
      labels_[entry.id] = label;
      break;
    }
    }
  }
  pictures_.at(Picture::N_ImaMessage1)->OnClick = [this] { game_.N_ImaMessage1Click(); };
  labels_.at(Label::N_LabFull1)->OnMouseMove = [this] { N_LabFull1MouseMove(); };
}

void TN_FrmMain1::BuildTimers() {
  for (const auto &entry : layout::kTimers) {
    const Timer id = entry.id;
    timers_[id] = new platform::TTimer(
        entry.intervalMs, entry.enabled, [this, id] { TimerFired(id); }, this);
  }
}

void TN_FrmMain1::TimerFired(Timer timer) {
  if (timer == Timer::N_TimCreate1)
    N_TimCreate1Timer();
  else if (timer == Timer::N_TimClose1)
    N_TimClose1Timer();
  else
    game_.TimerFired(timer);
}

void TN_FrmMain1::LoadStartPicture(platform::TImage &image, std::string_view file) {
  try {
    image.LoadFromFile(std::string(file));
  } catch (const platform::Exception &) {
    // A missing picture leaves a blank one of the size the layout expects.
    const auto size = layout::ExpectedSizeOf(file);
    image.Picture().SetSize(size.width, size.height);
    if (image.width() == 0 || image.height() == 0)
      image.resize(size.width, size.height);
    missingFiles_.emplace_back(file);
  }
}

void TN_FrmMain1::FormCreate() {
  random_.Seed(static_cast<std::uint32_t>(QDateTime::currentSecsSinceEpoch()));
  state_.opponentPortraitStage = 100;

  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, Qt::black);
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);

  client_->setCursor(assets::GameCursor());
  setWindowIcon(assets::WindowIcon());

  SetCaption(Label::N_LabMessage1, std::string(layout::kStartMessage));
  setWindowTitle(QString::fromUtf8(layout::kCaption.data()));

  for (const auto &component : layout::kStacking)
    if (component.kind == layout::ComponentEntry::kPicture && !component.picture.file.empty())
      LoadStartPicture(*pictures_.at(component.picture.id), component.picture.file);

  for (int row = 1; row <= 10; ++row)
    for (int column = 1; column <= 10; ++column) {
      platform::TImage &cell = *cells_[static_cast<std::size_t>(game::CellNumber(row, column))];
      LoadStartPicture(cell, layout::kCellStartFile);
      const auto at = layout::CellPosition(row, column);
      cell.move(at.left, at.top);
      cell.setVisible(!layout::IsCorner(row, column));
    }

  ShowWindowed();

  if (!missingFiles_.empty()) {
    std::string text = "次のファイルを読み込めませんでした:";
    std::sort(missingFiles_.begin(), missingFiles_.end());
    missingFiles_.erase(std::unique(missingFiles_.begin(), missingFiles_.end()), missingFiles_.end());
    for (const auto &file : missingFiles_)
      text += "\n" + file;
    ReportError(text);
  }
}

void TN_FrmMain1::CentreOnScreen() {
  if (game::InFullScreen(*this))
    return; // full screen has placed the window already
  platform::CentreOnScreen(*this);
}

// --- Start-up and quitting --------------------------------------------------

void TN_FrmMain1::N_TimCreate1Timer() {
  if (system_ == nullptr)
    return; // the sound and system window is not there yet: try at the next tick
  // Off first: a failing step is reported once, never repeated every 100 ms.
  SetEnabled(Timer::N_TimCreate1, false);

  system_->dataFolder = system_->DirectoryListBoxDirectory() + "/";
  platform::Guarded([&] {
    if (state_.bgmPathPrefixed == 0) {
      system_->N_EdiBgm1->setText(QString::fromStdString(system_->dataFolder) + system_->N_EdiBgm1->text());
      state_.bgmPathPrefixed = 1;
    }
    system_->bgmMidiPlaying = 1;
    system_->N_ChePlay1->setChecked(true);
    system_->StartMidiBgm(system_->N_EdiBgm1->text().toStdString());
  });
  platform::Guarded([&] { game_.N_MenNew1Click(); });
  SetCaption(Label::N_LabScore1, "0");
  SetCaption(Label::N_LabScore8, "");
  SetCaption(Label::N_LabScore9, "0");
  game_.LoadDataPicture(Picture::N_ImaWork2, "Cast1.bmp");
}

void TN_FrmMain1::N_TimClose1Timer() {
  SetEnabled(Timer::N_TimClose1, false);
  if (state_.fullScreen == 1)
    EnterFullScreen();
  if (N_FrmSub1)
    N_FrmSub1->close();
}

void TN_FrmMain1::N_MenEnd1Click() { close(); }

bool TN_FrmMain1::ConfirmQuit() {
  return MessageBox("終了してよろしいですか？", "確認", platform::MB_YESNO | platform::MB_ICONQUESTION) ==
         platform::IDYES;
}

void TN_FrmMain1::WriteSettingsFile() {
  const QString path = QString::fromStdString(system_->dataFolder + "SeveData.qvd");
  QFile file(path);
  const QByteArray line = QByteArray::number(state_.fullScreen) + "\r\n";
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(line) != line.size())
    throw platform::Exception("ファイル " + path.toStdString() + " を作成できません。");
}

void TN_FrmMain1::closeEvent(QCloseEvent *event) {
  if (quitConfirmed_) {
    event->accept();
    return;
  }
  bool quit = false;
  platform::Guarded([&] { quit = ConfirmQuit(); });
  if (!quit) {
    event->ignore();
    return;
  }
  platform::Guarded([&] {
    if (state_.InMatch()) {
      game_.SendTexts(game::DisconnectMessage());
      // The text must reach the socket before the program ends.
      if (match_)
        match_->FlushBeforeExit();
    }
  });
  // Nothing reads the settings file back: a folder we may not write in is
  // reported, and quitting goes on.
  platform::Guarded([&] { WriteSettingsFile(); });
  // Only the display mode is restored; the window itself is going.
  if (game::InFullScreen(*this))
    platform::Guarded([&] { display_->Restore(); });
  quitConfirmed_ = true;
  event->accept();
  emit Quitting();
}

// --- Full screen, help and the system window -------------------------------

namespace {
// A fixed, non-resizable window with the system menu and minimise box only.
constexpr Qt::WindowFlags kWindowedFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags kBorderlessFlags = Qt::Window | Qt::FramelessWindowHint;
} // namespace

// The border changes on the native window as it stands: re-creating it races
// the window manager's handling of the new one.
void TN_FrmMain1::SetBorder(bool single) {
  const Qt::WindowFlags flags = single ? kWindowedFlags : kBorderlessFlags;
  if (windowHandle() == nullptr) {
    setWindowFlags(flags);
    return;
  }
  overrideWindowFlags(flags);
  windowHandle()->setFlags(flags);
}

void TN_FrmMain1::CoverScreen(bool displaySwitched) {
  if (isVisible() && !windowedPos_)
    windowedPos_ = geometry().topLeft(); // the client area's: the frame is going
  SetBorder(false);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  // Without a 640 by 480 mode the window covers the screen as it is, the field
  // at its centre.
  setGeometry(displaySwitched ? QRect(0, 0, layout::kClientWidth, layout::kClientHeight)
                              : screen()->geometry());
  // A manager keeps its panels off a full-screen window; where none acts, the
  // geometry above is all there is.
  if (platform::WindowManagerActs())
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void TN_FrmMain1::ShowWindowed() {
  SetBorder(true);
  setWindowState(windowState() & ~Qt::WindowFullScreen);
  adjustSize();
  setFixedSize(sizeHint());
  if (windowedPos_) {
    setGeometry(QRect(*windowedPos_, size()));
    windowedPos_.reset();
  }
}

void TN_FrmMain1::EnterFullScreen() {
  SetCaption(MenuItem::N_MenFull1, game::kFullScreenCaption);
  game::ShowTopMenuItems(*this, false);
  CoverScreen(display_->SwitchTo640x480());
}

void TN_FrmMain1::LeaveFullScreen() {
  SetCaption(MenuItem::N_MenFull1, game::kWindowModeCaption);
  game::ShowTopMenuItems(*this, true);
  state_.fullScreen = 0;
  display_->Restore();
  ShowWindowed();
}

void TN_FrmMain1::N_MenFull1Click() {
  if (Caption(MenuItem::N_MenFull1) == game::kWindowModeCaption) {
    EnterFullScreen();
    state_.fullScreen = 1;
  } else {
    LeaveFullScreen();
  }
}

void TN_FrmMain1::N_MenHelp1Click() {
  if (game::InFullScreen(*this))
    LeaveFullScreen();
  // The desktop opens the page; a missing page or browser gives no message.
  const QUrl page = QUrl::fromLocalFile(QString::fromStdString(system_->dataFolder + "Help1.html"));
  if (urlOpener_)
    urlOpener_(page);
  else
    QDesktopServices::openUrl(page);
}

void TN_FrmMain1::N_MenTool1Click() {
  if (game::InFullScreen(*this))
    LeaveFullScreen();
  if (state_.bgmPathPrefixed == 0) {
    system_->N_EdiBgm1->setText(QString::fromStdString(system_->dataFolder) + system_->N_EdiBgm1->text());
    state_.bgmPathPrefixed = 1;
  }
  system_->show();
  system_->raise();
  system_->activateWindow();
}

void TN_FrmMain1::N_MenNet1Click() {
  if (match_)
    match_->N_MenNet1Click();
}

void TN_FrmMain1::N_LabFull1MouseMove() { game::FlipTopMenuItems(*this); }

// --- The window's operations for the game ----------------------------------

platform::TImage &TN_FrmMain1::PictureControl(Picture picture) {
  if (game::IsCellPicture(picture))
    return *cells_[static_cast<std::size_t>(picture)];
  return *pictures_.at(picture);
}

platform::TLabel &TN_FrmMain1::LabelControl(Label label) { return *labels_.at(label); }
QAction &TN_FrmMain1::MenuAction(MenuItem item) { return *menu_.at(item); }

platform::TBitmap &TN_FrmMain1::Canvas(Picture picture) {
  if (picture == Picture::N_ImaWork1)
    return system_->N_ImaWork1;
  if (picture == Picture::N_ImaWork2)
    return system_->N_ImaWork2;
  return PictureControl(picture).Picture();
}

void TN_FrmMain1::LoadPicture(Picture picture, const std::string &path) {
  if (picture == Picture::N_ImaWork1 || picture == Picture::N_ImaWork2)
    Canvas(picture).LoadFromFile(path);
  else
    PictureControl(picture).LoadFromFile(path);
}

void TN_FrmMain1::Refresh(Picture picture) {
  if (picture != Picture::N_ImaWork1 && picture != Picture::N_ImaWork2)
    PictureControl(picture).Refresh();
}

void TN_FrmMain1::SetVisible(Picture picture, bool visible) { PictureControl(picture).setVisible(visible); }
bool TN_FrmMain1::Visible(Picture picture) const {
  return const_cast<TN_FrmMain1 *>(this)->PictureControl(picture).isVisibleTo(client_);
}
void TN_FrmMain1::SetWidth(Picture picture, int width) {
  auto &image = PictureControl(picture);
  image.resize(width, image.height());
}
int TN_FrmMain1::Width(Picture picture) const {
  return const_cast<TN_FrmMain1 *>(this)->PictureControl(picture).width();
}

void TN_FrmMain1::SetCaption(Label label, const std::string &text) { labels_.at(label)->SetCaption(text); }
std::string TN_FrmMain1::Caption(Label label) const { return labels_.at(label)->Caption(); }
void TN_FrmMain1::SetVisible(Label label, bool visible) { labels_.at(label)->setVisible(visible); }
bool TN_FrmMain1::Visible(Label label) const { return labels_.at(label)->isVisibleTo(client_); }

void TN_FrmMain1::SetEnabled(Timer timer, bool enabled) { timers_.at(timer)->SetEnabled(enabled); }
bool TN_FrmMain1::Enabled(Timer timer) const { return timers_.at(timer)->Enabled(); }

void TN_FrmMain1::SetChecked(MenuItem item, bool checked) { menu_.at(item)->setChecked(checked); }
bool TN_FrmMain1::Checked(MenuItem item) const { return menu_.at(item)->isChecked(); }
void TN_FrmMain1::SetEnabled(MenuItem item, bool enabled) { menu_.at(item)->setEnabled(enabled); }
bool TN_FrmMain1::Enabled(MenuItem item) const { return menu_.at(item)->isEnabled(); }
void TN_FrmMain1::SetVisible(MenuItem item, bool visible) {
  menu_.at(item)->setVisible(visible);
  // A menu bar whose items are all hidden takes no room, as on the desktop it stands for.
  const bool anyTopItem = Visible(MenuItem::N_MenEnd1) || Visible(MenuItem::N_MenOption1) ||
                          Visible(MenuItem::N_MenTool1) || Visible(MenuItem::N_MenHelp1);
  if (menuBar()->isVisibleTo(this) != anyTopItem)
    menuBar()->setVisible(anyTopItem);
}
bool TN_FrmMain1::Visible(MenuItem item) const { return menu_.at(item)->isVisible(); }
void TN_FrmMain1::SetCaption(MenuItem item, const std::string &caption) {
  menu_.at(item)->setText(QString::fromStdString(caption));
}
std::string TN_FrmMain1::Caption(MenuItem item) const { return menu_.at(item)->text().toStdString(); }

std::string TN_FrmMain1::DataFolder() const { return system_->dataFolder; }

void TN_FrmMain1::PlaySound(const std::string &bareFileName) {
  if (system_)
    system_->SoundEffects().Play(QString::fromStdString(bareFileName));
}

void TN_FrmMain1::SendPacket(const void *data, int size) { N_PacketClientSocket1.SendPacket(data, size); }

int TN_FrmMain1::MessageBox(const std::string &text, const std::string &caption, int flags) {
  return platform::ShowMessageBox(text, caption, flags);
}

void TN_FrmMain1::ReportError(const std::string &text) {
  // Shown once the handler that met the error has returned: a message box's
  // own event loop must not run this window's timers in the middle of a step.
  QTimer::singleShot(
      0, this, [text] { platform::ShowMessageBox(text, "", platform::MB_OK | platform::MB_ICONERROR); });
}
