#pragma once
// The sound and system window's music controls as the columns of the
// control-state tables: + enabled or shown, - disabled or hidden.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "system/TN_FrmSystem1.h"
#include "tests/support/StateColumns.h"

namespace musictest {

using testcolumns::State;

inline const char *On(bool on) { return on ? "+" : "-"; }
inline const char *Both(bool a, bool b) { return a == b ? On(a) : "mixed"; }
inline const char *Checked(bool on) { return on ? "checked" : "unchecked"; }

// One column per control of the tables; "P", "D", "E", "H" are the pop-up
// items "再生(&P)", "停止(&D)", "一時停止(&E)" and "CDチェック(&H)".
inline State Snapshot(TN_FrmSystem1 &w) {
  return {{"play", On(w.GlyphButton(1).isEnabled())},
          {"pause", On(w.GlyphButton(2).isEnabled())},
          {"stop", On(w.GlyphButton(3).isEnabled())},
          {"prevnext", Both(w.GlyphButton(4).isEnabled(), w.GlyphButton(5).isEnabled())},
          {"cd", On(w.CdRadio().isEnabled())},
          {"cd?", Checked(w.CdRadio().isChecked())},
          {"midi", On(w.MidiRadio().isEnabled())},
          {"midi?", Checked(w.MidiRadio().isChecked())},
          {"P", On(w.PopupItem(3).isEnabled())},
          {"D", On(w.PopupItem(4).isEnabled())},
          {"E", On(w.PopupItem(5).isEnabled())},
          {"Ecaption", w.PopupItem(5).text().toStdString()},
          {"H", On(w.PopupItem(6).isEnabled())},
          {"sources", Both(w.PopupItem(1).isEnabled(), w.PopupItem(2).isEnabled())},
          {"edit", Both(w.N_EdiBgm1->isEnabled(), w.OpenButton().isEnabled())},
          {"cdbutton", On(!w.CdCheckButton().isHidden())},
          {"repeat", On(w.N_ChePlay1->isEnabled())},
          {"repeat?", Checked(w.N_ChePlay1->isChecked())},
          {"timer", w.CdTimerOn() ? "on" : "off"},
          {"status", w.StatusText().toStdString()}};
}

} // namespace musictest
